#pragma once
#include <QtGlobal>
#include <initializer_list>
#include <vector>

struct CreationState;

// A set of TargetType values (1 to 10).
class TargetTypes
{
public:
    constexpr TargetTypes(std::initializer_list<int> types)
    {
        for (int type : types)
            m_bits |= 1u << type;
    }
    static constexpr TargetTypes all() { return fromBits(~0u); }
    static constexpr TargetTypes allBut(int type) { return fromBits(~(1u << type)); }
    constexpr bool contains(int type) const { return type >= 0 && type < 32 && ((m_bits >> type) & 1u); }

private:
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
