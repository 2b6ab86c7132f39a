#include "CurlConnection.h"

#include "FtpListing.h"

#include <QBuffer>
#include <curl/curl.h>

namespace tav::upload
{

namespace
{

void initialiseCurlOnce()
{
    static const bool done = [] { return curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; }();
    Q_UNUSED(done);
}

size_t collectReply(char *data, size_t size, size_t count, void *user)
{
    auto *lines = static_cast<QStringList *>(user);
    const QString line = decodeText(QByteArray(data, int(size * count))).trimmed();
    if (!line.isEmpty())
        lines->append(line);
    return size * count;
}

size_t writeToDevice(char *data, size_t size, size_t count, void *user)
{
    const qint64 length = qint64(size * count);
    return static_cast<QIODevice *>(user)->write(data, length) == length ? size_t(length) : 0;
}

size_t readFromDevice(char *buffer, size_t size, size_t count, void *user)
{
    const qint64 got = static_cast<QIODevice *>(user)->read(buffer, qint64(size * count));
    return got < 0 ? size_t(CURL_READFUNC_ABORT) : size_t(got);
}

bool isReplyLine(const QString &line)
{
    return line.size() >= 3 && line.at(0).isDigit() && line.at(1).isDigit() && line.at(2).isDigit();
}

// The directory in a "257" reply: the quoted text with "" standing for one quote, or
// the rest of the line when the server quotes nothing.
QString directoryFromPwd(const QStringList &replies)
{
    for (auto it = replies.crbegin(); it != replies.crend(); ++it) {
        if (!it->startsWith(QLatin1String("257")))
            continue;
        const QString text = it->mid(4);
        if (!text.startsWith(QLatin1Char('"')))
            return text.section(QLatin1Char(' '), 0, 0);
        QString dir;
        for (int i = 1; i < text.size(); ++i) {
            if (text.at(i) == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    dir += QLatin1Char('"');
                    ++i;
                    continue;
                }
                break;
            }
            dir += text.at(i);
        }
        return dir;
    }
    return {};
}

} // namespace

std::optional<ServerAddress> parseServer(const QString &server)
{
    QString text = server.trimmed();
    if (text.startsWith(QLatin1String("ftp://"), Qt::CaseInsensitive))
        text = text.mid(6);
    text = text.section(QLatin1Char('/'), 0, 0);
    ServerAddress address;
    QString portText;
    if (text.startsWith(QLatin1Char('['))) {
        const int close = text.indexOf(QLatin1Char(']'));
        if (close < 0)
            return std::nullopt;
        address.host = text.mid(1, close - 1);
        const QString rest = text.mid(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(QLatin1Char(':')))
            return std::nullopt;
        portText = rest.mid(1);
    } else if (text.count(QLatin1Char(':')) == 1) {
        address.host = text.section(QLatin1Char(':'), 0, 0);
        portText = text.section(QLatin1Char(':'), 1);
    } else {
        address.host = text; // a plain name, or a bare IPv6 address
    }
    if (!portText.isEmpty()) {
        bool ok = false;
        address.port = portText.toInt(&ok);
        if (!ok || address.port < 1 || address.port > 65535)
            return std::nullopt;
    }
    if (address.host.isEmpty() || address.host.contains(QLatin1Char(' ')))
        return std::nullopt;
    return address;
}

struct CurlConnection::Request {
    QString path;
    bool isDirectory = true;
    bool noBody = false;
    QStringList postQuote;
    QIODevice *sink = nullptr;
    QIODevice *source = nullptr;
    qint64 sourceSize = 0;
};

CurlConnection::CurlConnection(const ServerAddress &address, const QString &user,
                               const QString &password, int connectTimeout, int stallTimeout)
    : m_address(address), m_user(user.toUtf8()), m_password(password.toUtf8()),
      m_connectTimeout(connectTimeout), m_stallTimeout(stallTimeout)
{
    initialiseCurlOnce();
    m_handle = curl_easy_init();
}

CurlConnection::~CurlConnection()
{
    if (m_handle)
        curl_easy_cleanup(static_cast<CURL *>(m_handle));
}

QByteArray CurlConnection::url(const QString &path, bool isDirectory) const
{
    const bool v6 = m_address.host.contains(QLatin1Char(':'));
    QByteArray out = "ftp://" +
                     (v6 ? "[" + m_address.host.toUtf8() + "]" : m_address.host.toUtf8()) + ':' +
                     QByteArray::number(m_address.port) + '/';
    if (path.isEmpty())
        return out; // the login directory
    QByteArrayList parts;
    for (const QString &part : path.split(QLatin1Char('/'))) {
        const QByteArray raw = part.toUtf8();
        char *escaped =
            curl_easy_escape(static_cast<CURL *>(m_handle), raw.constData(), int(raw.size()));
        parts << QByteArray(escaped ? escaped : "");
        curl_free(escaped);
    }
    out += parts.join('/');
    if (isDirectory && !out.endsWith('/'))
        out += '/';
    return out;
}

CurlResult CurlConnection::perform(const Request &request)
{
    CurlResult result;
    auto *curl = static_cast<CURL *>(m_handle);
    if (!curl) {
        result.code = CURLE_FAILED_INIT;
        result.error = QString::fromUtf8(curl_easy_strerror(CURLE_FAILED_INIT));
        return result;
    }
    // A reset keeps the live connection, so the next request reuses it.
    curl_easy_reset(curl);
    char errorBuffer[CURL_ERROR_SIZE] = {};
    QStringList replies;
    const QByteArray address = url(request.path, request.isDirectory);
    curl_easy_setopt(curl, CURLOPT_URL, address.constData());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(curl, CURLOPT_USERNAME, m_user.constData());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, m_password.constData());
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, long(m_connectTimeout));
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(m_stallTimeout));
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, long(m_stallTimeout));
    curl_easy_setopt(curl, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_SINGLECWD));
    curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, 0L); // binary
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, collectReply);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &replies);
    curl_easy_setopt(curl, CURLOPT_NOBODY, request.noBody ? 1L : 0L);

    QByteArrayList quoteTexts;
    curl_slist *quote = nullptr;
    for (const QString &command : request.postQuote) {
        quoteTexts << command.toUtf8();
        quote = curl_slist_append(quote, quoteTexts.last().constData());
    }
    if (quote)
        curl_easy_setopt(curl, CURLOPT_POSTQUOTE, quote);
    if (request.sink) {
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, writeToDevice);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, request.sink);
    }
    if (request.source) {
        curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(curl, CURLOPT_READFUNCTION, readFromDevice);
        curl_easy_setopt(curl, CURLOPT_READDATA, request.source);
        curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, curl_off_t(request.sourceSize));
    }

    const CURLcode code = curl_easy_perform(curl);
    curl_slist_free_all(quote);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);

    result.code = int(code);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.responseCode);
    result.error = errorBuffer[0] ? QString::fromUtf8(errorBuffer)
                                  : QString::fromUtf8(curl_easy_strerror(code));
    for (auto it = replies.crbegin(); it != replies.crend(); ++it)
        if (isReplyLine(*it)) {
            result.lastReply = *it;
            break;
        }
    result.directory = directoryFromPwd(replies);
    return result;
}

CurlResult CurlConnection::probe(const QString &dir)
{
    Request r;
    r.path = dir;
    r.noBody = true;
    r.postQuote << QStringLiteral("PWD");
    CurlResult result = perform(r);
    if (result.ok() && result.directory.isEmpty()) {
        result.code = CURLE_WEIRD_SERVER_REPLY; // the server did not say where it is
        result.error = QStringLiteral("The server did not report its current directory");
    }
    return result;
}

CurlResult CurlConnection::list(const QString &dir, QByteArray *listing)
{
    QBuffer buffer(listing);
    buffer.open(QIODevice::WriteOnly);
    Request r;
    r.path = dir;
    r.sink = &buffer;
    return perform(r);
}

CurlResult CurlConnection::download(const QString &path, QIODevice *sink)
{
    Request r;
    r.path = path;
    r.isDirectory = false;
    r.sink = sink;
    return perform(r);
}

CurlResult CurlConnection::upload(QIODevice *source, qint64 size, const QString &path)
{
    Request r;
    r.path = path;
    r.isDirectory = false;
    r.source = source;
    r.sourceSize = size;
    return perform(r);
}

CurlResult CurlConnection::command(const QString &dir, const QString &command)
{
    Request r;
    r.path = dir;
    r.noBody = true;
    r.postQuote << command;
    return perform(r);
}

} // namespace tav::upload
