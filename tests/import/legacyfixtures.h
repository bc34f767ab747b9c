#pragma once
#include "support/programfolder.h"

#include <QByteArray>
#include <QDir>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <clocale>
#include <memory>
#include <ostream>
#include <string>

// Archives of the previous generation kept with the tests.
inline QString legacyFixture(const char* name)
{
    return QStringLiteral(BREVANO_FIXTURES_DIR "/legacy/") + QString::fromLatin1(name);
}

// The 3,000-character note of article OLI001: a numbered clause repeated, cut, and "FINE".
inline QString longArticleNote()
{
    QString note;
    for (int k = 1; note.size() < 2996; ++k)
        note += QStringLiteral("[%1] Articolo soggetto a condizioni particolari di fornitura: consegna entro dieci "
                               "giorni lavorativi, imballo a perdere, pagamento a sessanta giorni data fattura fine "
                               "mese. ")
                    .arg(k);
    return note.left(2996) + QStringLiteral("FINE");
}

// The C library's number conventions of an Italian workstation (decimal comma) for the
// object's lifetime, as a Qt program started under it_IT has them. When the machine lacks the
// locale it is compiled into a private folder, which stays the test program's.
class ItalianNumbers
{
public:
    ItalianNumbers() : m_previous(std::setlocale(LC_NUMERIC, nullptr))
    {
        if (trySet())
            return;
        const QString compiled = compiledLocales();
        if (compiled.isEmpty())
            return;
        qputenv("LOCPATH", compiled.toLocal8Bit());
        trySet();
    }
    ~ItalianNumbers() { std::setlocale(LC_NUMERIC, m_previous.c_str()); }
    ItalianNumbers(const ItalianNumbers&) = delete;
    ItalianNumbers& operator=(const ItalianNumbers&) = delete;

    bool active() const { return m_active; }

private:
    // A folder holding it_IT.UTF-8 compiled once for the test program; empty when localedef
    // cannot build it.
    static QString compiledLocales()
    {
        static QTemporaryDir folder;
        static const bool built =
            folder.isValid()
            && QProcess::execute(QStringLiteral("localedef"),
                                 {"-i", "it_IT", "-f", "UTF-8", folder.filePath(QStringLiteral("it_IT.UTF-8"))}) == 0;
        return built ? folder.path() : QString();
    }

    bool trySet()
    {
        for (const char* name : {"it_IT.UTF-8", "it_IT.utf8", "it_IT"}) {
            if (std::setlocale(LC_NUMERIC, name) && *std::localeconv()->decimal_point == ',') {
                m_active = true;
                return true;
            }
        }
        return false;
    }

    std::string m_previous;
    bool m_active = false;
};
