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

// What the old program stored arrives unchanged: accents and the euro sign in UTF-8, a long
// memo whole, line breaks and quotes, Null as Null, booleans as booleans, numbers exact.
void expectArticlesAndCustomersIntact(JetArchiveReader& archive)
{
    int rows = 0;
    const auto articles = readAll(archive, "Articoli", &rows);
    EXPECT_EQ(rows, 25);
    EXPECT_EQ(articles["CAF001"]["Descrizione"].toString().toUtf8(), QByteArray("Caff\xc3\xa8 macinato"));
    EXPECT_EQ(articles["TE0001"]["Descrizione"].toString(), QStringLiteral("Tè verde in filtri 20 pz"));
    EXPECT_EQ(articles["OLI001"]["Note"].toString(), longArticleNote());
    EXPECT_EQ(articles["VIN001"]["Note"].toString(), QStringLiteral("Annata 1998.\r\nCartone da 6 bottiglie."));
    EXPECT_EQ(articles["TON001"]["Note"].toString(), QStringLiteral("Offerta \"3x2\" valida fino al 31/12/2001"));
    EXPECT_EQ(articles["ACE001"]["Note"].toString(), QStringLiteral("Prezzo consigliato al pubblico: € 3,50"));
    EXPECT_EQ(articles["CAF002"]["PrezzoDiAcquistoEuro"].toDouble(), 8.03);
    EXPECT_EQ(articles["FOR001"]["ScortaMinima"].toDouble(), 2.5);
    EXPECT_EQ(articles["CAF002"]["Prezzo1"].toDouble(), 22500.0);
    EXPECT_TRUE(articles["PAS002"]["Note"].isNull());
    EXPECT_FALSE(articles["PAS001"]["Note"].isNull());

    const auto agents = readAll(archive, "Agenti");
    EXPECT_EQ(agents["AG02"]["Provvigione"].toDouble(), 7.5);
    EXPECT_EQ(agents["AG03"]["Provvigione"].toDouble(), 3.25);
    EXPECT_TRUE(agents["AG02"]["Fax"].isNull());

    std::unique_ptr<JetTableReader> customers = archive.table("clienti");
    QList<QVariant> exempt;
    while (customers->next())
        exempt << customers->value(15);
    ASSERT_EQ(exempt.size(), 10);
    EXPECT_EQ(exempt[0].typeId(), QMetaType::Bool);
    EXPECT_EQ(exempt[0], QVariant(false));
    EXPECT_EQ(exempt[6], QVariant(true));
    EXPECT_EQ(exempt.count(QVariant(true)), 3);  // the three rows of C003 and c003
}

TEST(JetArchiveReader, ValuesArriveIntact)
{
    auto archive = JetArchiveReader::open(legacyFixture("BrevanoIV.mdb"));
    ASSERT_NE(archive, nullptr);
    expectArticlesAndCustomersIntact(*archive);
}

TEST(JetArchiveReader, NumbersReadRightUnderItalianNumberConventions)
{
    ItalianNumbers italian;
    if (!italian.active())
        GTEST_SKIP() << "no Italian locale on this machine and localedef could not build one";
    auto archive = JetArchiveReader::open(legacyFixture("BrevanoIV.mdb"));
    ASSERT_NE(archive, nullptr);
    expectArticlesAndCustomersIntact(*archive);
    // The reader leaves the workstation's conventions as it found them.
    EXPECT_EQ(*std::localeconv()->decimal_point, ',');
}

} // namespace
