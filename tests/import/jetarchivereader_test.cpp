#include "import/jetarchivereader.h"
#include "legacyfixtures.h"

#include <QHash>
#include <gtest/gtest.h>

namespace {

using Kind = JetTableReader::Kind;

// Every row of an old table, keyed by the value of its first column.
QHash<QString, QVariantMap> readAll(JetArchiveReader& archive, const QString& table, int* rows = nullptr)
{
    std::unique_ptr<JetTableReader> reader = archive.table(table);
    if (!reader)
        throw std::runtime_error("table missing");
    QHash<QString, QVariantMap> byKey;
    int count = 0;
    while (reader->next()) {
        QVariantMap row;
        for (size_t i = 0; i < reader->columns().size(); ++i)
            row.insert(reader->columns()[i].name, reader->value(int(i)));
        byKey.insert(reader->value(0).toString(), row);
        ++count;
    }
    if (rows)
        *rows = count;
    return byKey;
}

TEST(JetArchiveReader, TellsJetArchivesFromOtherFilesAndFindsTablesWithoutRegardToCase)
{
    EXPECT_EQ(JetArchiveReader::open(legacyFixture("not_an_archive.mdb")), nullptr);
    EXPECT_EQ(JetArchiveReader::open(legacyFixture("missing.mdb")), nullptr);

    auto unrelated = JetArchiveReader::open(legacyFixture("NotBrevano.mdb"));
    ASSERT_NE(unrelated, nullptr);
    EXPECT_EQ(unrelated->table("Agenti"), nullptr);
    EXPECT_NE(unrelated->table("customers"), nullptr);

    auto archive = JetArchiveReader::open(legacyFixture("BrevanoIV.mdb"));
    ASSERT_NE(archive, nullptr);
    auto customers = archive->table("CLIENTI");
    ASSERT_NE(customers, nullptr);
    EXPECT_EQ(customers->name(), QStringLiteral("clienti"));
    EXPECT_EQ(customers->storedRowCount(), 10);
    // The system tables of a Jet archive are not offered as old tables.
    EXPECT_EQ(archive->table("MSysObjects"), nullptr);
}

TEST(JetArchiveReader, ColumnsKeepTheirKinds)
{
    auto archive = JetArchiveReader::open(legacyFixture("BrevanoIV.mdb"));
    ASSERT_NE(archive, nullptr);
    auto customers = archive->table("clienti");
    ASSERT_NE(customers, nullptr);
    QHash<QString, Kind> kinds;
    for (const auto& column : customers->columns())
        kinds.insert(column.name, column.kind);
    EXPECT_EQ(customers->columns().size(), 17u);
    EXPECT_EQ(kinds.value("CodiceCliente"), Kind::Text);
    EXPECT_EQ(kinds.value("Fido"), Kind::Real);
    EXPECT_EQ(kinds.value("EsenteDaIVA"), Kind::Boolean);
    EXPECT_EQ(kinds.value("Note"), Kind::Text);

    auto sectors = archive->table("SettoriMerceologici");
    ASSERT_NE(sectors, nullptr);
    EXPECT_EQ(sectors->columns().at(0).kind, Kind::Integer);
    ASSERT_TRUE(sectors->next());
    EXPECT_EQ(sectors->value(0), QVariant(qint64(1)));
    EXPECT_EQ(sectors->value(1).toString(), QStringLiteral("Alimentari"));
}

TEST(JetArchiveReader, ValuesKeepTheirKindsAndNullStaysNull)
{
    auto archive = JetArchiveReader::open(legacyFixture("BrevanoIV.mdb"));
    ASSERT_NE(archive, nullptr);
    int rows = 0;
    const auto articles = readAll(*archive, "Articoli", &rows);
    EXPECT_EQ(rows, 25);
    EXPECT_EQ(articles["CAF002"]["PrezzoDiAcquistoEuro"], QVariant(8.03));
    EXPECT_EQ(articles["CAF002"]["Prezzo1"], QVariant(22500.0));
    EXPECT_TRUE(articles["PAS002"]["Note"].isNull());
    EXPECT_EQ(articles["ACE001"]["Note"].toString().toUtf8(),
              QByteArray("Prezzo consigliato al pubblico: \xe2\x82\xac 3,50"));
    EXPECT_EQ(articles["OLI001"]["Note"].toString(), longArticleNote());

    // Empty short texts of the old rows are Null there, and stay Null.
    std::unique_ptr<JetTableReader> customers = archive->table("clienti");
    QList<QVariant> exempt, fax;
    while (customers->next())
        exempt << customers->value(15), fax << customers->value(5);
    ASSERT_EQ(exempt.size(), 10);
    EXPECT_EQ(exempt[0].typeId(), QMetaType::Bool);
    EXPECT_EQ(exempt.count(QVariant(true)), 3);  // the three rows of C003 and c003
    EXPECT_EQ(exempt[6], QVariant(true));
    EXPECT_EQ(fax[0], QVariant(QStringLiteral("02 7012346")));
    EXPECT_TRUE(fax[1].isNull());
}

} // namespace
