#pragma once
#include <QByteArray>
#include <QStringList>

// The exchange system's arithmetic checks, run on an electronic invoice as written, before the
// file is kept: a file that fails one is rejected as a whole and counts as never issued. It reads
// the XML as the exchange system does, independently of how the amounts were computed:
// - each line: PrezzoTotale = (PrezzoUnitario less/plus each ScontoMaggiorazione in turn, a
//   Percentuale of the price reached so far or an Importo) × Quantita (1 when absent), within a
//   cent (check 00423);
// - each summary: Imposta = AliquotaIVA × ImponibileImporto / 100 rounded half up to the cent,
//   within a cent (00421); Natura exactly when the rate is nought (00429, 00430);
// - each rate: Σ ImponibileImporto = Σ PrezzoTotale + Σ Arrotondamento, within a euro (00422);
//   every line's rate and nature has its summary (00443, 00444);
// - the document: ImportoTotaleDocumento = Σ ImponibileImporto + Σ Imposta, and the payments
//   sum to it, to the cent.
// Returns one Italian sentence per failure, naming the row and the figures; empty when it holds.
QStringList eInvoiceArithmeticErrors(const QByteArray& xml);

// The most lines one electronic invoice holds (NumeroLinea has four digits).
constexpr int MaxEInvoiceLines = 9999;
