#include "screenframe.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QSplitter>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

namespace ScreenFrame {

namespace {

QMdiSubWindow* frameOf(QWidget* screen)
{
    return qobject_cast<QMdiSubWindow*>(screen->parentWidget());
}

QString plain(QString caption)
{
    // "&Sfoglia..." is read "Sfoglia", "  Modifica  " is read "Modifica".
    caption.remove(QLatin1Char('&'));
    if (caption.endsWith(QLatin1String("...")))
        caption.chop(3);
    return caption.trimmed();
}

// Opens a field's look-up list on a double-click or F4.
class LookupKeys : public QObject
{
public:
    LookupKeys(QWidget* field, std::function<void()> open) : QObject(field), m_open(std::move(open)) {}

    bool eventFilter(QObject*, QEvent* event) override
    {
        const bool asked = event->type() == QEvent::MouseButtonDblClick
                           || (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F4);
        if (asked)
            m_open();
        return asked && event->type() == QEvent::KeyPress;
    }

private:
    std::function<void()> m_open;
};

// Ctrl+Tab and Ctrl+Shift+Tab leave a list (or the cell being typed in) for the next or the
// previous control of its screen, as in the platform's own dialogs; Tab keeps moving from cell to
// cell. It watches the whole program, ahead of the workspace, which would take the keys to cycle
// its screens.
class ListExit : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!(key->modifiers() & Qt::ControlModifier) || (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab))
            return false;
        QAbstractItemView* list = nullptr;
        for (auto* w = qobject_cast<QWidget*>(watched); w && !list; w = w->parentWidget())
            list = qobject_cast<QAbstractItemView*>(w);
        if (!list)
            return false;
        event->accept();
        if (event->type() == QEvent::KeyPress)
            leave(list, key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
        return true;
    }

private:
    static void leave(QAbstractItemView* list, bool forward)
    {
        // Within its screen: the frame the workspace gave it, or its own window.
        QWidget* screen = list->window();
        for (QWidget* up = list->parentWidget(); up; up = up->parentWidget())
            if (auto* frame = qobject_cast<QMdiSubWindow*>(up)) {
                screen = frame;
                break;
            }
        for (QWidget* w = list;;) {
            w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
            if (!w || w == list)
                return;
            if (list->isAncestorOf(w) || !screen->isAncestorOf(w) || !w->isVisible() || !w->isEnabled()
                || !(w->focusPolicy() & Qt::TabFocus))
                continue;
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
};

// A key as an Italian keyboard labels it.
QString keyName(const QKeySequence& key)
{
    QString name = key.toString(QKeySequence::PortableText);
    static const std::pair<const char*, const char*> labels[] = {
        {"Del", "Canc"}, {"Home", "Inizio"}, {"PgUp", "Pag Su"}, {"PgDown", "Pag Giù"}, {"End", "Fine"}};
    for (const auto& [english, italian] : labels)
        if (name.endsWith(QLatin1String(english)))
            name = name.left(name.size() - int(qstrlen(english))) + QString::fromUtf8(italian);
    return name;
}

} // namespace

QString settingsFile(const QString& programFolder)
{
    return programFolder + QStringLiteral("/finestre.ini");
}

int captionWidth(const QWidget* frame)
{
    // The caption is drawn bold; the icon and the three buttons take about five title heights.
    QFont bold = frame->font();
    bold.setBold(true);
    const int titleHeight = frame->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, frame);
    return QFontMetrics(bold).horizontalAdvance(frame->windowTitle()) + 5 * titleHeight + 16;
}

void place(QWidget* screen, const QString& programFolder)
{
    QMdiSubWindow* frame = frameOf(screen);
    if (!frame || !frame->mdiArea())
        return;
    // Its size is fitted, and the frame brought inside the workspace, when it is first shown with
    // its rows read (see ChildScreen::fitFrame).
    QSettings settings(settingsFile(programFolder), QSettings::IniFormat);
    settings.beginGroup(screen->objectName());
    const QRect kept = settings.value(QStringLiteral("geometria")).toRect();
    if (kept.isValid())
        frame->setGeometry(kept);
    const QList<QSplitter*> splitters = screen->findChildren<QSplitter*>();
    for (int i = 0; i < splitters.size(); ++i)
        splitters[i]->restoreState(settings.value(QStringLiteral("divisore%1").arg(i)).toByteArray());
}

void keepInside(QWidget* screen)
{
    QMdiSubWindow* frame = frameOf(screen);
    if (!frame || !frame->mdiArea())
        return;
    const QSize area = frame->mdiArea()->viewport()->size();
    // A workspace not laid out yet (the main window still hidden) tells no bounds.
    if (area.width() <= 200 || area.height() <= 150)
        return;
    QRect r = frame->geometry();
    r.setSize(r.size().boundedTo(area));
    r.moveLeft(std::clamp(r.left(), 0, area.width() - r.width()));
    r.moveTop(std::clamp(r.top(), 0, area.height() - r.height()));
    if (r != frame->geometry())
        frame->setGeometry(r);
}

void releaseMinimums(QWidget* screen)
{
    for (QWidget* w : screen->findChildren<QWidget*>())
        if (qobject_cast<QAbstractItemView*>(w) || qobject_cast<QLineEdit*>(w))
            w->setMinimumWidth(0);
}

void remember(QWidget* screen, const QString& programFolder)
{
    QMdiSubWindow* frame = frameOf(screen);
    if (!frame || screen->objectName().isEmpty() || programFolder.isEmpty())
        return;
    QSettings settings(settingsFile(programFolder), QSettings::IniFormat);
    settings.beginGroup(screen->objectName());
    // A maximised or minimised screen keeps the place it would come back to.
    const QRect normal = frame->isMaximized() || frame->isMinimized() ? frame->normalGeometry() : frame->geometry();
    if (normal.isValid())
        settings.setValue(QStringLiteral("geometria"), normal);
    const QList<QSplitter*> splitters = screen->findChildren<QSplitter*>();
    for (int i = 0; i < splitters.size(); ++i)
        settings.setValue(QStringLiteral("divisore%1").arg(i), splitters[i]->saveState());
}

QKeySequence commandKey(const QString& toolKey)
{
    // The keys of office programs: F2 changes, Ctrl+S saves, Ctrl+N adds, Ctrl+Canc deletes,
    // Ctrl with Home/PgUp/PgDown/End moves through the records, F5 reads them again. Esc cancels
    // an edit or closes the screen (ChildScreen), so it belongs to no single command.
    static const QHash<QString, QKeySequence> keys = {
        {QStringLiteral("BNuovo"), QKeySequence(Qt::CTRL | Qt::Key_N)},
        {QStringLiteral("BModifica"), QKeySequence(Qt::Key_F2)},
        {QStringLiteral("BSalva"), QKeySequence(Qt::CTRL | Qt::Key_S)},
        {QStringLiteral("BElimina"), QKeySequence(Qt::CTRL | Qt::Key_Delete)},
        {QStringLiteral("BPrimo"), QKeySequence(Qt::CTRL | Qt::Key_Home)},
        {QStringLiteral("BIndietro"), QKeySequence(Qt::CTRL | Qt::Key_PageUp)},
        {QStringLiteral("BPrec"), QKeySequence(Qt::CTRL | Qt::Key_PageUp)},
        {QStringLiteral("BAvanti"), QKeySequence(Qt::CTRL | Qt::Key_PageDown)},
        {QStringLiteral("BSucc"), QKeySequence(Qt::CTRL | Qt::Key_PageDown)},
        {QStringLiteral("BUltimo"), QKeySequence(Qt::CTRL | Qt::Key_End)},
        {QStringLiteral("BRefresh"), QKeySequence(Qt::Key_F5)},
        {QStringLiteral("BAggiorna"), QKeySequence(Qt::Key_F5)},
        {QStringLiteral("BStampa"), QKeySequence(Qt::CTRL | Qt::Key_P)},
        {QStringLiteral("BEsportaPDF"), QKeySequence(Qt::CTRL | Qt::Key_E)},
        {QStringLiteral("BFatturaElettronica"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E)},
    };
    return keys.value(toolKey);
}

void useCommandKeys(QWidget* screen)
{
    // Installed again by every screen: the filter installed last acts first.
    static ListExit* listExit = new ListExit(qApp);
    qApp->installEventFilter(listExit);
    for (QToolBar* bar : screen->findChildren<QToolBar*>()) {
        for (QAction* action : bar->actions()) {
            const QString caption = plain(action->text());
            if (caption.isEmpty())
                continue;
            const QKeySequence key = commandKey(action->objectName());
            QString tip = caption;
            if (!key.isEmpty()) {
                action->setShortcut(key);
                action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
                // The keys work wherever the focus is inside the screen, not only on its toolbar.
                screen->addAction(action);
                tip += QStringLiteral(" (") + keyName(key) + u')';
            } else if (action->objectName() == QLatin1String("BAnnulla")) {
                tip += QStringLiteral(" (Esc)");
            } else if (action->objectName() == QLatin1String("BEsci")) {
                tip += QStringLiteral(" (Esc, Ctrl+F4)");
            }
            action->setToolTip(tip);
            if (QWidget* button = bar->widgetForAction(action)) {
                button->setFocusPolicy(Qt::TabFocus);
                button->setAccessibleName(caption);
            }
        }
    }
}

void nameControls(QWidget* root)
{
    // A label that stands for a control names it.
    for (QLabel* label : root->findChildren<QLabel*>())
        if (QWidget* buddy = label->buddy(); buddy && buddy->accessibleName().isEmpty())
            buddy->setAccessibleName(plain(label->text()));
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->accessibleName().isEmpty())
            continue;
        QString name;
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            name = plain(button->text());
        if (name.isEmpty() && !w->toolTip().isEmpty())
            name = plain(w->toolTip());
        if (name.isEmpty())
            if (auto* edit = qobject_cast<QLineEdit*>(w))
                name = edit->placeholderText();
        if (name.isEmpty() && qobject_cast<QAbstractItemView*>(w) && w->parentWidget()
            && !qobject_cast<QAbstractItemView*>(w->parentWidget())) {
            // A list is called by what its screen shows ("Brevano V : Tabella Zone" -> "Tabella Zone").
            const QString title = root->windowTitle();
            const int colon = title.indexOf(u':');
            name = colon >= 0 ? title.mid(colon + 1).trimmed() : title;
        }
        if (name.isEmpty() && (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w)
                               || qobject_cast<QAbstractItemView*>(w))) {
            // A control in a titled frame and without a label of its own takes the frame's title.
            for (QWidget* up = w->parentWidget(); up && up != root->parentWidget(); up = up->parentWidget())
                if (auto* box = qobject_cast<QGroupBox*>(up); box && !box->title().isEmpty()) {
                    name = plain(box->title());
                    break;
                }
        }
        if (!name.isEmpty())
            w->setAccessibleName(name);
    }
}

void setReadOnly(QWidget* panel, bool readOnly)
{
    for (QWidget* w : panel->findChildren<QWidget*>()) {
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            edit->setReadOnly(readOnly);
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            if (button->isCheckable()) {
                // A check box keeps its look and is read by a screen reader, but does not toggle.
                button->setAttribute(Qt::WA_TransparentForMouseEvents, readOnly);
                button->setFocusPolicy(readOnly ? Qt::NoFocus : Qt::StrongFocus);
            } else {
                button->setEnabled(!readOnly);
            }
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            combo->setEnabled(!readOnly);
        }
    }
}

void useLookup(QWidget* field, std::function<void()> open)
{
    field->installEventFilter(new LookupKeys(field, std::move(open)));
    field->setToolTip(QStringLiteral("Doppio clic o F4 per scegliere da un elenco"));
}

void announce(QWidget* panel, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(panel))
        label->setText(text);
    panel->setAccessibleName(text);
    if (text.isEmpty())
        return;
    QAccessibleEvent alert(panel, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

} // namespace ScreenFrame
