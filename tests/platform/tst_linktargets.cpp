// What a link typed into a record field may hand to a browser or the mail program.

#include "LinkTargets.h"

#include <QTest>

using namespace tav::accessories;

class TestLinkTargets : public QObject
{
    Q_OBJECT

private slots:
    void webAddresses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("url");
        QTest::newRow("www") << "www.example.com" << "http://www.example.com";
        QTest::newRow("http") << "http://example.com/a?b=1" << "http://example.com/a?b=1";
        QTest::newRow("https") << "https://example.org" << "https://example.org";
        QTest::newRow("blanks around") << "  www.example.com " << "http://www.example.com";
        QTest::newRow("option in front") << "--new-window www.example.com" << "";
        QTest::newRow("dash") << "-www.example.com" << "";
        QTest::newRow("other scheme") << "file:///etc/passwd?www." << "";
        QTest::newRow("javascript") << "javascript:alert(1)//http://x" << "";
        QTest::newRow("no host") << "http://" << "";
    }
    void webAddresses()
    {
        QFETCH(QString, text);
        QFETCH(QString, url);
        QCOMPARE(webLinkUrl(text), url);
    }

    void mailAddresses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("url");
        QTest::newRow("plain") << "joe@example.com" << "mailto:joe@example.com";
        QTest::newRow("query dropped") << "joe@example.com?attach=/home/joe/.ssh/id_rsa"
                                       << "mailto:joe@example.com";
        QTest::newRow("mailto typed") << "mailto:ann@example.org" << "mailto:ann@example.org";
        QTest::newRow("blanks and ampersand encoded")
            << "a b&cc=x@example.com" << "mailto:a%20b%26cc%3Dx@example.com";
        QTest::newRow("no name") << "@example.com" << "";
        QTest::newRow("no host") << "joe@" << "";
        QTest::newRow("nothing left") << "?x@y" << "";
    }
    void mailAddresses()
    {
        QFETCH(QString, text);
        QFETCH(QString, url);
        QCOMPARE(mailLinkUrl(text), url);
    }
};

QTEST_GUILESS_MAIN(TestLinkTargets)
#include "tst_linktargets.moc"
