#include "xsdvalidator.h"

#include <QFile>
#include <libxml/catalog.h>
#include <libxml/parser.h>
#include <libxml/xmlIO.h>
#include <libxml/xmlschemas.h>

struct XsdValidator::Schema
{
    xmlSchemaPtr schema = nullptr;
    QString error;
};

namespace {

void collect(void* context, xmlErrorPtr error)
{
    auto* out = static_cast<QStringList*>(context);
    const QString message = QString::fromUtf8(error->message).trimmed();
    *out << (error->line > 0 ? QStringLiteral("riga %1: %2").arg(error->line).arg(message) : message);
}

void prepareLibxml(const QString& catalogPath)
{
    static const bool ready = [] {
        xmlInitParser();
        // Catalogs are still honoured; http and ftp addresses are refused.
        xmlSetExternalEntityLoader(xmlNoNetExternalEntityLoader);
        return true;
    }();
    (void)ready;
    // One catalog at a time: an earlier one would keep resolving to its own, perhaps gone, folder.
    static QString loaded;
    if (loaded != catalogPath && QFile::exists(catalogPath)) {
        xmlCatalogCleanup();
        xmlInitializeCatalog();
        xmlLoadCatalog(QFile::encodeName(catalogPath).constData());
        loaded = catalogPath;
    }
}

} // namespace

XsdValidator::XsdValidator(const QString& schemaPath, const QString& catalogPath) : d(new Schema)
{
    prepareLibxml(catalogPath);
    if (!QFile::exists(schemaPath)) {
        d->error = QStringLiteral("Schema non trovato: ") + schemaPath;
        return;
    }
    QStringList errors;
    xmlSchemaParserCtxtPtr parser = xmlSchemaNewParserCtxt(QFile::encodeName(schemaPath).constData());
    xmlSchemaSetParserStructuredErrors(parser, collect, &errors);
    d->schema = xmlSchemaParse(parser);
    xmlSchemaFreeParserCtxt(parser);
    if (!d->schema)
        d->error = errors.isEmpty() ? QStringLiteral("Schema non leggibile: ") + schemaPath : errors.join(u'\n');
}

XsdValidator::~XsdValidator()
{
    if (d->schema)
        xmlSchemaFree(d->schema);
}

QString XsdValidator::loadError() const
{
    return d->error;
}

QStringList XsdValidator::validate(const QByteArray& xml) const
{
    if (!d->schema)
        return {d->error};
    QStringList errors;
    xmlSetStructuredErrorFunc(&errors, collect);
    xmlDocPtr doc = xmlReadMemory(xml.constData(), int(xml.size()), "documento.xml", nullptr, XML_PARSE_NONET);
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    if (!doc)
        return errors.isEmpty() ? QStringList{QStringLiteral("XML non leggibile")} : errors;
    xmlSchemaValidCtxtPtr validation = xmlSchemaNewValidCtxt(d->schema);
    xmlSchemaSetValidStructuredErrors(validation, collect, &errors);
    const int result = xmlSchemaValidateDoc(validation, doc);
    xmlSchemaFreeValidCtxt(validation);
    xmlFreeDoc(doc);
    if (result != 0 && errors.isEmpty())
        errors << QStringLiteral("documento non valido");
    return errors;
}
