#include "modulescreen.h"
#include "modulecomponent.h"
#include "components/base/tablescreen.h"
#include "components/screenframe.h"
#include "common/databaseerror.h"

#include <QDialog>
#include <QMainWindow>
#include <QVBoxLayout>
#include <stdexcept>

BrowserScreen::BrowserScreen(BaseComponent* base, const QString& name, BrowserSpec spec, QWidget* parent)
    : ChildScreen(base, parent), m_title(spec.title), m_view(new RecordBrowser(base, std::move(spec), this))
{
    setObjectName(name);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    connect(m_view, &RecordBrowser::leaveRequested, this, &QWidget::close);
    resize(720, 520);
}

bool BrowserScreen::openScreen()
{
    if (!ChildScreen::openScreen(base()->AppTitle + QStringLiteral(" : ") + m_title))
        return false;
    m_view->load();
    return true;
}

void BrowserScreen::escapePressed()
{
    if (m_view->isEditing())
        m_view->cancelEdit();
    else
        ChildScreen::escapePressed();
}

bool BrowserScreen::queryUnload()
{
    return m_view->cancelEdit();
}

ModuleScreen::ModuleScreen(ModuleComponent* owner, const QString& name, Opener open,
                           std::function<BrowserSpec()> modalView)
    : QObject(owner), m_owner(owner), m_open(std::move(open)), m_modalView(std::move(modalView))
{
    setObjectName(name);
}

void ModuleScreen::Show(int modal)
{
    BaseComponent* base = m_owner->base();
    if (!base)
        throw std::runtime_error("Variabile oggetto o variabile del blocco With non impostata");
    if (modal) {
        showModal(base);
        return;
    }
    if (!m_window) {
        m_window = m_open(base);
        if (!m_window)
            return;
    }
    QWidget* frame = m_window->parentWidget() ? m_window->parentWidget() : m_window.data();
    frame->show();
    m_window->show();
    frame->raise();
    frame->activateWindow();
}

void ModuleScreen::showModal(BaseComponent* base)
{
    if (!m_modalView)
        throw std::runtime_error("Proprietà o metodo non supportati dall'oggetto");
    const BrowserSpec spec = m_modalView();
    QDialog dialog(base->MainWindow());
    dialog.setObjectName(objectName());
    dialog.setWindowTitle(base->AppTitle + QStringLiteral(" : ") + spec.title);
    auto* layout = new QVBoxLayout(&dialog);
    auto* view = new RecordBrowser(base, spec, &dialog);
    layout->addWidget(view);
    QObject::connect(view, &RecordBrowser::leaveRequested, &dialog, &QDialog::reject);
    base->PrepareDialog(&dialog);
    view->load();
    ScreenFrame::nameControls(&dialog);
    dialog.resize(720, 520);
    dialog.exec();
}

ModuleScreen::Opener browserOpener(const QString& name, std::function<BrowserSpec()> view)
{
    return [name, view](BaseComponent* base) -> QWidget* {
        auto* screen = new BrowserScreen(base, name, view());
        try {
            if (!screen->openScreen())
                return nullptr;
        } catch (...) {
            screen->close();
            throw;
        }
        return screen;
    };
}

ModuleScreen::Opener tableOpener(const QString& name, const QString& title, const TableDefinition& table)
{
    return [name, title, &table](BaseComponent* base) -> QWidget* {
        auto* screen = new TableScreen(base, name, {{QStringLiteral("PanDati"), &table}});
        try {
            if (!screen->openOn(base->AppTitle + QStringLiteral(" : ") + title, base->DataDbPath, table))
                return nullptr;
        } catch (...) {
            screen->close();
            throw;
        }
        return screen;
    };
}
