#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

// Checks XML documents against an XML schema with libxml2, offline: the schema's imports are
// found through an XML catalog beside it, and nothing is ever fetched from the network.
class XsdValidator
{
public:
    XsdValidator(const QString& schemaPath, const QString& catalogPath);
    ~XsdValidator();
    XsdValidator(const XsdValidator&) = delete;
    XsdValidator& operator=(const XsdValidator&) = delete;

    // Empty when the schema was read; otherwise why it was not.
    QString loadError() const;
    // The problems found, one a line; empty when the document is valid.
    QStringList validate(const QByteArray& xml) const;

private:
    struct Schema;
    std::unique_ptr<Schema> d;
};
