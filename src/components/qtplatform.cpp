#include "qtplatform.h"
#include "gridaccessible.h"
#include "common/programtitle.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QStorageInfo>
#include <QSysInfo>
#include <QTranslator>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

namespace {

// The kinds in the file dialog's list: Qt's Italian texts leave them in English.
class ItalianFileKinds : public QFileIconProvider
{
public:
    QString type(const QFileInfo& info) const override
    {
        if (info.isRoot())
            return QStringLiteral("Unità");
        if (info.isDir())
            return QStringLiteral("Cartella");
        return (QStringLiteral("File ") + info.suffix().toUpper()).trimmed();
    }
};

// The sizes and moments in the file dialog's list: Qt writes them in the machine's conventions,
// here they follow the program's own (see useItalianConventions), from the model's own records.
class ItalianFileDetails : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || (index.column() != 1 && index.column() != 3))
            return QIdentityProxyModel::data(index, role);
        const QModelIndex file = mapToSource(index);
        if (index.column() == 3)
            return QLocale().toString(files->lastModified(file), QLocale::ShortFormat);
        return files->isDir(file) ? QString() : QLocale().formattedDataSize(files->size(file));
    }
};

QString chooseWith(QWidget* parent, QFileDialog::FileMode mode, const QString& start, const QString& filter)
{
    ItalianFileKinds kinds;
    QFileDialog dialog(parent, QString(), start, filter);
    dialog.setFileMode(mode);
    if (mode == QFileDialog::Directory)
        dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setIconProvider(&kinds);
    dialog.setProxyModel(new ItalianFileDetails(&dialog));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

} // namespace

Platform::Answer QtPlatform::message(const QString& text, Icon icon, Buttons buttons, const QString& title,
                                     Answer defaultAnswer)
{
    // A modal box is shown with the normal pointer, and the hourglass comes back after it.
    const bool wasBusy = m_busy;
    if (wasBusy)
        setHourglass(false);
    QMessageBox box;
    box.setText(text);
    // A box without a title of its own shows the program's, never the executable's name.
    box.setWindowTitle(title.isNull() ? ProgramTitle : title);
    switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    }
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("&Sì"));
        box.button(QMessageBox::No)->setText(QStringLiteral("&No"));
        box.setDefaultButton(defaultAnswer == Answer::No ? QMessageBox::No : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int result = box.exec();
    if (wasBusy)
        setHourglass(true);
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void QtPlatform::endProgram()
{
    std::fflush(nullptr);
    std::_Exit(0);
}

void QtPlatform::setHourglass(bool busy)
{
    if (busy == m_busy || !qApp)
        return;
    m_busy = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

QString QtPlatform::workstationName()
{
    return QSysInfo::machineHostName();
}

QString QtPlatform::qtFilter(const QString& filter)
{
    QStringList out;
    const QStringList parts = filter.split(u'|');
    for (int i = 0; i + 1 < parts.size(); i += 2)
        out << parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(u';', u' ') + u')';
    return out.join(QStringLiteral(";;"));
}

QString QtPlatform::chooseOpenFile(QWidget* parent, const QString& filter)
{
    return chooseWith(parent, QFileDialog::ExistingFile, QString(), qtFilter(filter));
}

QString QtPlatform::chooseFolder(QWidget* parent, const QString& start)
{
    return chooseWith(parent, QFileDialog::Directory, start, QString());
}

bool QtPlatform::openUrl(const QString& url)
{
    return QDesktopServices::openUrl(QUrl(url));
}

bool QtPlatform::openFolder(const QString& folder)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

bool QtPlatform::showHelp(const QString& helpFile, int context)
{
    QUrl url = QUrl::fromLocalFile(helpFile);
    url.setFragment(QStringLiteral("topic%1").arg(context));
    return QDesktopServices::openUrl(url);
}

QDate QtPlatform::today()
{
    return QDate::currentDate();
}

QStringList QtPlatform::drives()
{
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady())
            roots << volume.rootPath();
    roots.removeDuplicates();
    roots.sort();
    return roots;
}

bool QtPlatform::isLocalPath(const QString& path)
{
    if (path.startsWith(QLatin1String("//")) || path.startsWith(QLatin1String("\\\\")))
        return false;
    static const QStringList network = {"nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs", "sshfs", "9p", "afs", "ncpfs"};
    const QString type = QString::fromLatin1(QStorageInfo(path).fileSystemType());
    return !network.contains(type, Qt::CaseInsensitive);
}

void useItalianConventions()
{
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    QLocale::setDefault(italian);
    static QTranslator qtTexts;
    if (qtTexts.isEmpty() && qtTexts.load(italian, QStringLiteral("qtbase"), QStringLiteral("_"),
                                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
    useReadableGrids();
}
