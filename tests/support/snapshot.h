#pragma once
#include <QStringList>

class QWidget;

// A screen's state as a user meets it, one control a line: what it shows, whether it can be typed or clicked, where it
// stands, where Tab takes the cursor, a grid's headings and first rows. The year, the month of the demo documents and
// the program folder are written as <anno>, <mese> and <cartella>.
namespace snapshot {

// With tabs, Tab is then pressed that many times from the focus and where it went is added; in a
// grid, where Tab moves among the cells, Ctrl+Tab leaves it. The messages said are added last.
QString describe(QWidget* root, const QString& programFolder, int tabs = 0, const QStringList& said = {});

// A document printed or written (read back as text, rows as stored) against its snapshot, with the
// same placeholders and dates of other months than this one written <data>: as compare below.
QString comparePrinted(const QString& name, QString text, const QString& programFolder);

// Compares with tests/snapshots/<name>.txt and returns the first differing line (empty when equal).
// With BREVANO_SNAPSHOTS=write the file is written instead, to be read through once and committed.
QString compare(const QString& name, const QString& described);

} // namespace snapshot
