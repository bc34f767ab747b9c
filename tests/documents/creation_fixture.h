#pragma once
#include "common/database.h"
#include "common/jetdate.h"
#include "components/base/baseclass.h"
#include "documents/documentcreation.h"
#include "documents/documentkinds.h"
#include "support/programfolder.h"
#include "support/scriptedplatform.h"

#include <QSqlRecord>
#include <QVector>
#include <gtest/gtest.h>
#include <memory>

// Why a creation failed, in the data layer's words (empty when it did not).
inline QString detailOf(const CreationResult& result)
{
    return result.failure ? result.failure->detail() : QString();
}

// A fresh company archive of the demo, a signed-in base component and a scripted platform, with
// helpers to pick demo documents, create from them and read what was written.
class CreationTest : public ::testing::Test
{
protected:
    ScriptedPlatform platform;
    ProgramFolder folder;
    std::unique_ptr<BaseClass> base = folder.makeBase();
    Database db = Database::open(folder.dataDb(), ProgramFolder::connectString());

    // The request for a demo document of the current fiscal year, found by its NumInt.
    CreationRequest request(qint16 sourceType, qint16 targetType, qint32 sourceNumInt)
    {
        const SourceChoice* source = sourceChoice(SourceKind(sourceType));
        JetQuery q;
        q << "SELECT DataReg FROM " << Jet::identifier(documentKind(source->kindCode)->headerTable)
          << " WHERE NumInt = " << Jet::number(sourceNumInt) << " AND idEsercizio = " << Jet::text(year());
        Rows found = db.select(q);
        return {.sourceType = SourceKind(sourceType), .targetType = TargetKind(targetType), .sourceKindName = source->name,
                .sourceDataReg = found.next() ? storedDate(found.value(0)) : QDate(), .sourceNumInt = sourceNumInt,
                .sourceNumero = QString::number(sourceNumInt)};
    }
    CreationResult create(const CreationRequest& request)
    {
        return createDocument(base->documentSession(), request);
    }

    // The records of a document: its header, or its rows in Riga order.
    QSqlRecord header(const QString& table, const QDate& dataReg, qint32 numInt)
    {
        return records(table, dataReg, numInt, false).value(0);
    }
    QVector<QSqlRecord> rows(const QString& table, const QDate& dataReg, qint32 numInt)
    {
        return records(table, dataReg, numInt, true);
    }
    // The first value a statement selects, as a number.
    int count(const QString& sql) const { return folder.rows("data.mdb", sql).value(0).toInt(); }
    // The last number the numerator of a document kind gave this fiscal year.
    int numerator(const QString& code) const
    {
        return count("SELECT Progressivo FROM Numeratori WHERE idTipo = '*' AND idCodice = '" + code
                     + "' AND idEsercizio = '" + year() + "'");
    }

    static QString stored(const QDate& date) { return date.toString(Qt::ISODate); }
    QString year() const { return base->FiscalYear; }

private:
    QVector<QSqlRecord> records(const QString& table, const QDate& dataReg, qint32 numInt, bool ordered)
    {
        JetQuery q;
        q << "SELECT * FROM " << Jet::identifier(table) << " WHERE DataReg = " << Jet::date(dataReg)
          << " AND NumInt = " << Jet::number(numInt);
        if (ordered) q << " ORDER BY Riga";
        QVector<QSqlRecord> out;
        for (Rows found = db.select(q); found.next();) out << found.record();
        return out;
    }
};
