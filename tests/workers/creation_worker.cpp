// Creates documents one after another as one workstation would:
//   creation_worker <company archive> <fiscal year> <source type> <source NumInt> <target type> <count>
// Source type 0 types sales invoices by hand instead (customer C001, articles ART001 and ART004).
// Prints "CREATED <number>" or "FAILED <reason>" per document, going on after a failure as a
// clerk would (exit code 1 when one failed).
#include "common/archivepassword.h"
#include "common/recordset.h"
#include "common/jetdate.h"
#include "components/base/baseclass.h"
#include "documents/documentcreation.h"
#include "documents/documentkinds.h"
#include "documents/documentsave.h"
#include "support/scriptedplatform.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 7) return 2;
    const QStringList args = app.arguments();
    ScriptedPlatform platform;
    BaseClass base;
    base.DataDbPath = args[1];
    base.ConnectString = archiveConnectString();
    base.FiscalYear = args[2];

    if (args[3] == QLatin1String("0")) {
        for (int i = 0; i < args[6].toInt(); ++i) {
            DocumentDraft draft{.kindCode = "FATVE", .date = platform.todayDate, .counterpartCode = "C001"};
            for (const char* article : {"ART001", "ART004"})
                draft.rows << DraftRow{.article = article, .description = article, .vatCode = "20", .quantity = 1};
            try {
                std::printf("CREATED %d\n", saveDraft(base.documentSession(), draft));
            } catch (const DatabaseError& e) {
                std::printf("FAILED %s\n", qPrintable(e.detail()));
                return 1;
            }
        }
        std::fflush(stdout);
        return 0;
    }
    CreationRequest request;
    request.sourceType = SourceKind(args[3].toInt());
    request.sourceNumInt = args[4].toInt();
    request.targetType = TargetKind(args[5].toInt());
    const SourceChoice* source = sourceChoice(request.sourceType);
    const DocumentKind* kind = documentKind(source->kindCode);
    {
        const Database db = Database::open(base.DataDbPath, base.ConnectString, true);
        Recordset header = Recordset::open(db, JetQuery("SELECT * FROM ") << Jet::identifier(kind->headerTable) << " WHERE NumInt = "
                                                   << Jet::number(request.sourceNumInt) << " AND idEsercizio = " << Jet::text(args[2]),
                                           Recordset::Type::Snapshot);
        if (header.RecordCount() == 0) return 3;
        request.sourceDataReg = storedDate(header.value("DataReg"));
    }
    request.sourceKindName = source->name;
    request.sourceNumero = args[4];

    const int count = args[6].toInt();
    int failed = 0;
    for (int i = 0; i < count; ++i) {
        const CreationResult result = createDocument(base.documentSession(), request);
        if (result.status == CreationResult::Status::Created) std::printf("CREATED %d\n", result.newNumber);
        else if (++failed)
            std::printf("FAILED %s\n", qPrintable(result.failure ? result.failure->detail() : QString()));
        // Each number as soon as it is given, so that a watcher can stop this workstation mid-run.
        std::fflush(stdout);
    }
    return failed ? 1 : 0;
}
