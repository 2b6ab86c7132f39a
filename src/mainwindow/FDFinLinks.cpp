// The record edit boxes' own events: typing, entering, and the decoration of a text that
// holds an e-mail or web address (colour, hint, cursor and the popup PopupIDN).

#include "DBControls.h"
#include "FDFin.h"
#include "FieldCatalogue.h"
#include "PendingFeatures.h"

#include <QMenu>

namespace tav
{

namespace cat = store::catalogue;

void TFDFin::wireRecordEditing()
{
    m_recordsState = m_dataSource1->state();
    connect(m_dataSource1, &store::DataSource::stateChanged, this,
            &TFDFin::DataSource1StateChange);
    for (int pos = 0; pos <= cat::kLastFixed; ++pos) {
        DBEdit *box = m_controls.recordEdits[pos];
        if (!box)
            continue;
        if (pos != cat::kPosCount)
            connect(box, &DBEdit::keyUp, this, &TFDFin::EditIDKeyUp);
        if (pos == cat::kPosDate || pos == cat::kPosCount)
            continue;
        // Every change of the text, typed or shown from another record, is decorated.
        connect(box, &QLineEdit::textChanged, this, [this, box] { EditIDChange(box); });
        connect(box, &DBEdit::mouseDown, this,
                [this, box](Qt::MouseButton button) { EditIDMouseDown(box, button); });
    }
}

void TFDFin::EditIDChange(DBEdit *box)
{
    const int pos = recordPositionOf(box);
    if (isLinkDecorated(pos, m_extraFieldCount))
        applyLinkDecoration(box, pos);
}

void TFDFin::EditIDMouseDown(DBEdit *box, Qt::MouseButton button)
{
    EditIDEnter(box);
    if (button == Qt::RightButton)
        EditIDChange(box);
}

void TFDFin::applyLinkDecoration(DBEdit *box, int position)
{
    const QString text = box->text();
    const LinkKind kind = linkKind(text);
    const auto shown = m_linkKinds.constFind(box);
    // Colour, cursor and popup change only with the kind of text (moving between records
    // changes most texts, rarely their kind).
    if (shown == m_linkKinds.cend() || *shown != kind) {
        if (shown == m_linkKinds.cend()) {
            box->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(box, &QWidget::customContextMenuRequested, this,
                    [this, box](const QPoint &at) { m_popupIDN->popup(box->mapToGlobal(at)); });
        }
        m_linkKinds.insert(box, kind);
        QPalette palette = box->palette();
        palette.setColor(QPalette::Text, linkColour(kind));
        box->setPalette(palette);
        switch (linkCursor(kind, position < cat::kExtraFields)) {
        case LinkCursor::Normal:
            box->setCursor(box->isReadOnly() ? Qt::ArrowCursor : Qt::IBeamCursor);
            break;
        case LinkCursor::Mail:
            box->setCursor(m_mailCursor);
            break;
        case LinkCursor::Web:
            box->setCursor(m_netCursor);
            break;
        case LinkCursor::Forbidden:
            box->setCursor(Qt::ForbiddenCursor);
            break;
        }
    }
    box->setToolTip(linkHint(kind, text));
    setNamedEnabled({"NetscapeID", "InternetExplorerID"}, kind == LinkKind::Web);
}

} // namespace tav
