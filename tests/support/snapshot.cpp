#include "snapshot.h"
#include "common/datacontrol.h"

#include <QtWidgets> // the widgets a snapshot describes, with the core
#include <QTest>

namespace snapshot {

namespace {

QString quoted(const QString& text) { return u'"' + QString(text).replace(u'\r', QStringLiteral("\\r")).replace(u'\n', QStringLiteral("\\n")) + u'"'; }

QString nameOf(QWidget* w) { return !w ? QString("-") : w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName(); }

// The alignment a delegate paints a cell with.
struct Painted : QStyledItemDelegate {
    static int alignment(const QStyledItemDelegate* delegate, const QModelIndex& index)
    {
        QStyleOptionViewItem option;
        (delegate->*(&Painted::initStyleOption))(&option, index);
        return option.displayAlignment;
    }
};

// Headings (hidden, resize mode, width), then the shown cells of the first rows as written on screen: {aN} an alignment
// other than the usual left one, * a cell that can be typed.
QStringList grid(QAbstractItemView* view)
{
    QAbstractItemModel* model = view->model();
    if (!model || model->inherits("QFileSystemModel"))
        return {};  // the machine's own folders
    QStringList out{QString("  rows=%1 cols=%2 current=%3,%4").arg(model->rowCount()).arg(model->columnCount())
                        .arg(view->currentIndex().row()).arg(view->currentIndex().column())};
    QHeaderView* header = nullptr;  // the only tree lists the machine's folders
    if (auto* table = qobject_cast<QTableView*>(view)) {
        header = table->horizontalHeader();
        out << QString("  rowheader=%1 rowheight=%2 stretchlast=%3").arg(table->verticalHeader()->isVisible())
                   .arg(table->verticalHeader()->defaultSectionSize()).arg(header->stretchLastSection());
    }
    QStringList headings;
    for (int c = 0; header && c < header->count(); ++c)
        headings << model->headerData(c, Qt::Horizontal).toString() + (header->isSectionHidden(c) ? "(hidden)" : "")
                        + QString("(%1:%2)").arg(header->sectionResizeMode(c)).arg(header->sectionSize(c));
    out << "  headings: " + headings.join(" | ");
    for (int r = 0; r < qMin(2, model->rowCount()); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c) {
            if (header && header->isSectionHidden(c))
                continue;  // what is not shown may differ between engines
            const QModelIndex index = model->index(r, c);
            auto* delegate = qobject_cast<QStyledItemDelegate*>(view->itemDelegateForIndex(index));
            const int align = delegate ? Painted::alignment(delegate, index) : index.data(Qt::TextAlignmentRole).toInt();
            cells << (delegate ? delegate->displayText(index.data(), view->locale()) : index.data().toString()) + (align > Qt::AlignLeft ? "{a" + QString::number(align, 16) + u'}' : "")
                         + (index.flags() & Qt::ItemIsEditable ? "*" : "");
        }
        out << QString("  row%1: ").arg(r) + cells.join(" | ");
    }
    return out;
}

// What the user reads and may do with a control or command, from the properties it has of these.
QString details(QObject* o)
{
    static const char* const shown[] = {"text", "plainText", "currentText", "title", "checked", "readOnly", "enabled",
                                        "visible", "maxLength", "echoMode", "alignment", "inputMask", "default",
                                        "autoDefault", "editable", "count", "shortcut", "toolTip", "accessibleName",
                                        "editTriggers", "selectionBehavior", "selectionMode", "tabKeyNavigation",
                                        "sortingEnabled", "movable", "focusPolicy", "modal", "windowTitle", "styleSheet"};
    static const QStringList usual = {"enabled=true", "visible=true", "maxLength=32767", "echoMode=Normal", "shortcut=0", "modal=false"};
    QStringList d;
    for (const char* name : shown)
        if (const QVariant v = o->property(name); v.isValid()) {
            const bool text = v.typeId() == QMetaType::QString;
            d << QString(name) + u'=' + (text ? quoted(v.toString().left(80)) : v.toString().isEmpty() ? QString::number(v.toInt()) : v.toString());
            if (usual.contains(d.last()) || d.last().endsWith("=\"\"")) d.removeLast();
        }
    if (auto* label = qobject_cast<QLabel*>(o)) {
        if (label->buddy()) d << "buddy=" + label->buddy()->objectName();
        if (!label->pixmap().isNull())
            d << QString("picture=%1x%2").arg(label->pixmap().width()).arg(label->pixmap().height());
    }
    if (auto* bar = qobject_cast<QToolBar*>(o); bar && qobject_cast<QMainWindow*>(bar->parentWidget())) {
        auto* window = static_cast<QMainWindow*>(bar->parentWidget());
        d << QString("area=%1 break=%2").arg(window->toolBarArea(bar)).arg(window->toolBarBreak(bar));
    }
    return d.join(u' ');
}

// Named controls and captions, never the parts of a grid or a spin box, nor toolbar buttons
// (their commands are listed), nor what lies in a hidden part.
bool described(QWidget* w, QWidget* root)
{
    for (QWidget* up = w->parentWidget(); w != root && up && up != root; up = up->parentWidget())
        if (up->isHidden() || qobject_cast<QAbstractItemView*>(up) || qobject_cast<QAbstractSpinBox*>(up)) return false;
    return !w->objectName().startsWith("qt_") && !(qobject_cast<QToolButton*>(w) && w->objectName().isEmpty())
           && (!w->objectName().isEmpty() || !w->property("text").toString().isEmpty());
}

QString placeholders(QString text, const QString& programFolder)
{
    // Demo documents are dated in this month, the fiscal year's bounds are not; digests take a
    // new salt with every build.
    const QDate today = QDate::currentDate();
    const QString year = QString::number(today.year());
    text.replace(programFolder, "<cartella>");
    text.replace(QRegularExpression("\\b(01/01|31/12)/" + year), "\\1/<anno>").replace(QRegularExpression(year + "-(01-01|12-31)"), "<anno>-\\1");
    text.replace(today.toString("yyyy-MM-"), "<anno>-<mese>-").replace(today.toString("/MM/yyyy"), "/<mese>/<anno>");
    text.replace(QRegularExpression("\\b" + year + "\\b"), "<anno>");
    text.replace(QRegularExpression("\\b" + QString::number(today.year() - 1) + "\\b"), "<anno-1>");
    return text.replace(QRegularExpression("pbkdf2-sha256\\$[^ |\"]+"), "<digest>");
}

} // namespace

QString describe(QWidget* root, const QString& programFolder, int tabs, const QStringList& said)
{
    QApplication::processEvents();  // as the user meets it: after what the screen set going
    QStringList lines;
    for (QWidget* w : QList<QWidget*>{root} + root->findChildren<QWidget*>()) {
        if (!described(w, root)) continue;
        const QRect place(w->mapTo(root, QPoint(0, 0)), w->size());
        lines << QString("%1 %2 @%3,%4 %5x%6 ").arg(w->metaObject()->className(), w->objectName()).arg(place.x())
                         .arg(place.y()).arg(place.width()).arg(place.height()) + details(w);
        if (auto* view = qobject_cast<QAbstractItemView*>(w)) lines += grid(view);
    }
    for (QAction* a : root->findChildren<QAction*>())
        if (!a->objectName().isEmpty() && !a->objectName().startsWith("qt_"))
            lines << "action " + a->objectName() + u' ' + details(a);
    for (DataControl* d : root->findChildren<DataControl*>())  // what a screen reads, and whether it may write it
        lines << QString("data %1 readOnly=%2 source=").arg(d->objectName()).arg(d->ReadOnly) + quoted(d->RecordSource.jetText());
    QStringList tab;
    for (QWidget* w = root->nextInFocusChain(); w && w != root; w = w->nextInFocusChain())
        if (root->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(root) && w->isEnabled())
            tab << nameOf(w);
    QWidget* focus = QApplication::focusWidget();
    lines << "tab: " + tab.join(u' ') << "focus: " + nameOf(focus && root->isAncestorOf(focus) ? focus : nullptr);
    QStringList walk;  // where Tab takes the cursor; Ctrl+Tab out of a grid or a cell's editor (in its viewport)
    for (QWidget* f = nullptr; walk.size() < tabs && (f = QApplication::focusWidget());) {
        const bool inList = qobject_cast<QAbstractItemView*>(f) || (f->parentWidget() && qobject_cast<QAbstractItemView*>(f->parentWidget()->parentWidget()));
        QTest::keyClick(f, Qt::Key_Tab, inList ? Qt::ControlModifier : Qt::NoModifier);
        walk << nameOf(root->isAncestorOf(QApplication::focusWidget()) ? QApplication::focusWidget() : nullptr);
    }
    if (tabs) lines << "tab walk: " + walk.join(u' ');
    lines += said;

    return placeholders(lines.join(u'\n') + u'\n', programFolder);
}

QString compare(const QString& name, const QString& described)
{
    QFile file(QStringLiteral(BREVANO_SOURCE_DIR "/tests/snapshots/") + name + ".txt");
    if (qEnvironmentVariable("BREVANO_SNAPSHOTS") == "write")
        return file.open(QIODevice::WriteOnly) && file.write(described.toUtf8()) >= 0 ? QString() : "cannot write " + file.fileName();
    if (!file.open(QIODevice::ReadOnly)) return "no snapshot " + file.fileName();
    const QStringList expected = QString::fromUtf8(file.readAll()).split(u'\n'), actual = described.split(u'\n');
    for (int i = 0; i < std::max(expected.size(), actual.size()); ++i)
        if (expected.value(i) != actual.value(i))
            return QString("%1:%2\n- %3\n+ %4").arg(file.fileName()).arg(i + 1).arg(expected.value(i), actual.value(i));
    return {};
}

QString comparePrinted(const QString& name, QString text, const QString& programFolder)
{
    // Dates worked out from the demo's (due dates, at a month's end) differ from month to month.
    const QDate today = QDate::currentDate();
    text.replace(QRegularExpression("\\b\\d\\d/(?!" + today.toString("MM/yyyy") + ")\\d\\d/\\d{4}\\b"), "<data>");
    text.replace(QRegularExpression("\\b(?!" + today.toString("yyyy-MM-") + ")\\d{4}-\\d\\d-\\d\\d\\b"), "<data>");
    return compare(name, placeholders(text, programFolder));
}

} // namespace snapshot
