#pragma once
#include "documentkinds.h"

#include <QtGlobal>
#include <initializer_list>
#include <vector>

struct CreationState;

// A set of kinds of document to create.
class TargetTypes
{
public:
    constexpr TargetTypes(std::initializer_list<TargetKind> kinds)
    {
        for (TargetKind kind : kinds)
            m_bits |= bit(kind);
    }
    static constexpr TargetTypes all() { return fromBits(~0u); }
    static constexpr TargetTypes allBut(TargetKind kind) { return fromBits(~bit(kind)); }
    constexpr bool contains(TargetKind kind) const { return (m_bits & bit(kind)) != 0; }

private:
    static constexpr quint32 bit(TargetKind kind) { return 1u << quint32(kind); }
    static constexpr TargetTypes fromBits(quint32 bits)
    {
        TargetTypes set{};
        set.m_bits = bits;
        return set;
    }
    quint32 m_bits = 0;
};

// One entry of a conversion: the target column receives the source column unchanged (Null
// included) when the TargetType is in the entry's set. The supplier entry of a purchase
// document fills the supplier's columns instead of copying.
struct MappingEntry
{
    enum class Rule { Copy, SupplierFields };
    const char* target;
    const char* source;
    TargetTypes targets;
    Rule rule = Rule::Copy;
};

// The header entries and row entries of one source kind, in the order they are made.
struct ConversionMapping
{
    std::vector<MappingEntry> header;
    std::vector<MappingEntry> rows;
};

const ConversionMapping& deliveryNoteMapping();
const ConversionMapping& customerOrderMapping();
const ConversionMapping& quotationMapping();
const ConversionMapping& invoiceMapping();
const ConversionMapping& returnNoteMapping();

// The procedure every conversion follows: the new header with today's date and the new number,
// the header entries, the warehouse movement, the header saved, then every source row in Riga
// order renumbered 1, 2, 3... A failing write stops it and is thrown; what was saved stays.
void convertDocument(CreationState& state, const ConversionMapping& mapping);

void ConvertFromDeliveryNote(CreationState& state);
void ConvertFromCustomerOrder(CreationState& state);
void ConvertFromQuotation(CreationState& state);
void ConvertFromInvoice(CreationState& state);
void ConvertFromReturnNote(CreationState& state);
