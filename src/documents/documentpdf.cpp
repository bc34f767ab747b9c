#include "documentpdf.h"
#include "documentrenderer.h"

#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPdfWriter>
#include <QRegularExpression>

int writeDocumentPdf(const PrintableDocument& document, const QString& path)
{
    // Written beside the target first, so that a failed run leaves no half file under its name.
    const QString partial = path + QStringLiteral(".part");
    int pages = 0;
    {
        QPdfWriter writer(partial);
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
                                         QPageLayout::Millimeter));
        writer.setTitle(QStringLiteral("%1 N. %2").arg(document.title, document.number));
        writer.setCreator(QStringLiteral("Brevano V"));
        DocumentRenderer renderer(document);
        if (renderer.render(&writer))
            pages = renderer.pageCount();
    }
    // An earlier file of the same name gives way only to a complete new one.
    if (pages == 0 || (QFile::exists(path) && !QFile::remove(path)) || !QFile::rename(partial, path)) {
        QFile::remove(partial);
        return 0;
    }
    return pages;
}

QString documentPdfName(const PrintableDocument& document)
{
    QString kind = document.title;
    kind.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]+")), QStringLiteral("_"));
    return QStringLiteral("%1_%2_%3.pdf").arg(kind, document.number, document.date.toString(Qt::ISODate));
}

QString documentFolder(const CompanyBlock& company, const QString& dataFolder)
{
    if (!company.documentFolder.isEmpty())
        return QDir::cleanPath(company.documentFolder);
    return QDir(dataFolder).filePath(QStringLiteral("Documenti"));
}
