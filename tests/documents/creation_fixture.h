#pragma once
#include "common/database.h"
#include "components/base/baseclass.h"
#include "documents/documentcreation.h"
#include "support/programfolder.h"
#include "support/scriptedplatform.h"

#include <QSqlRecord>
#include <QVariantMap>
#include <QVector>
#include <gtest/gtest.h>
#include <memory>

// Target column <- source column.
using ColumnPairs = QVector<QPair<QString, QString>>;

// Pairs copying each named column to the column of the same name.
ColumnPairs sameNames(const QStringList& columns);

// Why a creation failed, in the data layer's words (empty when it did not).
inline QString detailOf(const CreationResult& result)
{
    return result.failure ? result.failure->detail() : QString();
}
// Each target total receiving the source total of the same place: Impon/Imposta/Tot + code +
// "Lire" and + euro suffix.
ColumnPairs totalsFrom(const QString& sourceCode, const QString& sourceEuro, const QString& targetCode,
                       const QString& targetEuro);

// A fresh company archive of the demo, a signed-in base component and a scripted platform, with
// helpers to pick demo documents, create from them and read what was written.
class CreationTest : public ::testing::Test
{
protected:
    CreationTest();

    ScriptedPlatform platform;
    ProgramFolder folder;
    std::unique_ptr<BaseClass> base;
    Database db;

    // The request for a demo document of the current fiscal year, found by its NumInt.
    CreationRequest request(qint16 sourceType, qint16 targetType, qint32 sourceNumInt);
    CreationResult create(const CreationRequest& request);

    // The records of a document (header, or rows in Riga order).
    QSqlRecord header(const QString& table, const QDate& dataReg, qint32 numInt);
    QVector<QSqlRecord> rows(const QString& table, const QDate& dataReg, qint32 numInt);
    // The first value a statement selects, as a number.
    int count(const QString& sql) const { return folder.rows("data.mdb", sql).value(0).toInt(); }
    // The last number the numerator of a document kind gave this fiscal year.
    int numerator(const QString& code);

    // Every column of a created record: the rule values in fixed, the copies from source, and
    // Null (what the archive gives a new record) everywhere else.
    static void expectRecord(const QSqlRecord& created, const QSqlRecord& source, const ColumnPairs& copies,
                             const QVariantMap& fixed, const std::string& what);
    // A whole created document against its source: header columns, then row i against source row i.
    void expectDocument(const CreationResult& result, const QString& targetCode, const CreationRequest& request,
                        const ColumnPairs& headerCopies, const ColumnPairs& rowCopies,
                        const QVariantMap& headerFixed = {});

    static QString stored(const QDate& date) { return date.toString(Qt::ISODate); }
    QString year() const { return base->FiscalYear; }
};
