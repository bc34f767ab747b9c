#include "creation_fixture.h"
#include "common/jetdate.h"
#include "documents/documentkinds.h"


ColumnPairs sameNames(const QStringList& columns)
{
    ColumnPairs pairs;
    for (const QString& c : columns)
        pairs.push_back({c, c});
    return pairs;
}

ColumnPairs totalsFrom(const QString& sourceCode, const QString& sourceEuro, const QString& targetCode,
                       const QString& targetEuro)
{
    ColumnPairs pairs;
    for (const char* total : {"Impon", "Imposta", "Tot"}) {
        pairs.push_back({total + targetCode + "Lire", total + sourceCode + "Lire"});
        pairs.push_back({total + targetCode + targetEuro, total + sourceCode + sourceEuro});
    }
    return pairs;
}

CreationTest::CreationTest()
    : base(folder.makeBase()), db(Database::open(folder.dataDb(), ProgramFolder::connectString()))
{
}

int CreationTest::numerator(const QString& code)
{
    return count("SELECT Progressivo FROM Numeratori WHERE idTipo = '*' AND idCodice = '" + code
                 + "' AND idEsercizio = '" + year() + "'");
}

CreationRequest CreationTest::request(qint16 sourceType, qint16 targetType, qint32 sourceNumInt)
{
    const SourceChoice* source = sourceChoice(sourceType);
    const DocumentKind* kind = documentKind(source->kindCode);
    JetQuery q;
    q << "SELECT DataReg FROM " << Jet::identifier(kind->headerTable) << " WHERE NumInt = " << Jet::number(sourceNumInt)
      << " AND idEsercizio = " << Jet::text(year());
    CreationRequest r;
    r.sourceType = sourceType;
    r.targetType = targetType;
    r.sourceKindName = source->name;
    Rows found = db.select(q);
    r.sourceDataReg = found.next() ? storedDate(found.value(0)) : QDate();
    r.sourceNumInt = sourceNumInt;
    r.sourceNumero = QString::number(sourceNumInt);
    return r;
}

CreationResult CreationTest::create(const CreationRequest& request)
{
    return createDocument(base->documentSession(), request);
}

namespace {

QVector<QSqlRecord> records(const Database& db, const QString& table, const QDate& dataReg, qint32 numInt,
                            bool ordered)
{
    JetQuery q;
    q << "SELECT * FROM " << Jet::identifier(table) << " WHERE DataReg = " << Jet::date(dataReg)
      << " AND NumInt = " << Jet::number(numInt);
    if (ordered)
        q << " ORDER BY Riga";
    QVector<QSqlRecord> out;
    for (Rows found = db.select(q); found.next();)
        out << found.record();
    return out;
}

} // namespace

QSqlRecord CreationTest::header(const QString& table, const QDate& dataReg, qint32 numInt)
{
    return records(db, table, dataReg, numInt, false).value(0);
}

QVector<QSqlRecord> CreationTest::rows(const QString& table, const QDate& dataReg, qint32 numInt)
{
    return records(db, table, dataReg, numInt, true);
}

namespace {

// Same stored value and same storage class: a copy changes neither.
void expectSame(const QVariant& actual, const QVariant& expected, const std::string& what)
{
    EXPECT_EQ(actual.isNull(), expected.isNull()) << what << ": " << actual.toString().toStdString() << " / "
                                                  << expected.toString().toStdString();
    if (actual.isNull() || expected.isNull())
        return;
    EXPECT_EQ(actual.typeId(), expected.typeId()) << what;
    EXPECT_EQ(actual, expected) << what << ": " << actual.toString().toStdString() << " / "
                                << expected.toString().toStdString();
}

} // namespace

void CreationTest::expectRecord(const QSqlRecord& created, const QSqlRecord& source, const ColumnPairs& copies,
                                const QVariantMap& fixed, const std::string& what)
{
    ASSERT_FALSE(created.isEmpty()) << what << ": not written";
    QMap<QString, QString> sourceOf;
    for (const auto& [target, from] : copies) {
        ASSERT_GE(created.indexOf(target), 0) << what << ": no column " << target.toStdString();
        ASSERT_GE(source.indexOf(from), 0) << what << ": no source column " << from.toStdString();
        sourceOf.insert(target.toLower(), from);
    }
    for (int i = 0; i < created.count(); ++i) {
        const QString name = created.fieldName(i);
        const std::string where = what + "." + name.toStdString();
        const auto rule = std::find_if(fixed.keyValueBegin(), fixed.keyValueEnd(),
                                       [&](const auto& kv) { return kv.first.compare(name, Qt::CaseInsensitive) == 0; });
        if (rule != fixed.keyValueEnd())
            expectSame(created.value(i), rule->second, where);
        else if (sourceOf.contains(name.toLower()))
            expectSame(created.value(i), source.value(sourceOf.value(name.toLower())), where);
        else
            EXPECT_TRUE(created.value(i).isNull()) << where << " should be left empty, holds "
                                                   << created.value(i).toString().toStdString();
    }
}

void CreationTest::expectDocument(const CreationResult& result, const QString& targetCode,
                                  const CreationRequest& request, const ColumnPairs& headerCopies,
                                  const ColumnPairs& rowCopies, const QVariantMap& headerFixed)
{
    ASSERT_EQ(result.status, CreationResult::Status::Created) << detailOf(result).toStdString();
    const QDate today = platform.todayDate;
    const DocumentKind* source = documentKind(sourceChoice(request.sourceType)->kindCode);

    QVariantMap fixed = headerFixed;
    fixed.insert("DataReg", stored(today));
    fixed.insert("NumInt", qlonglong(result.newNumber));
    fixed.insert("Numero", qlonglong(result.newNumber));
    expectRecord(header(targetCode + "Tes", today, result.newNumber),
                 header(source->headerTable, request.sourceDataReg, request.sourceNumInt), headerCopies, fixed,
                 targetCode.toStdString() + "Tes");

    const QVector<QSqlRecord> created = rows(targetCode + "Rig", today, result.newNumber);
    const QVector<QSqlRecord> original = rows(source->rowsTable, request.sourceDataReg, request.sourceNumInt);
    ASSERT_EQ(created.size(), original.size());
    for (int i = 0; i < created.size(); ++i) {
        const QVariantMap rowFixed{{"DataReg", stored(today)},
                                   {"NumInt", qlonglong(result.newNumber)},
                                   {"Riga", qlonglong(i + 1)}};
        expectRecord(created[i], original[i], rowCopies, rowFixed, targetCode.toStdString() + "Rig " + std::to_string(i + 1));
    }
}
