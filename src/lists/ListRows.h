#pragma once
// The rows of the three reference lists (currencies, payment types, transaction types) exactly
// as their list views show them and the export writes them. No window needed.

#include "pdb/Records.h"
#include "platform/TextTable.h"

#include <span>
#include <string>

enum class TypeList { Payment, Types };

// Code, Name, Rate (right-aligned), Favorite, Home.
std::span<const ListColumn> CurrencyListColumns();
// Id and "Payment Type" or "Transaction Type".
std::span<const ListColumn> TypeListColumns(TypeList which);

// "%.6lf" with "." as the decimal point whatever the process locale says.
std::string FormatRate(double rate);

// Slots 1 to 10 in slot order, always ten rows; slot 0 is never listed. The table must already
// be in host order (LoadCurrencyTable).
TextTable CurrencyListRows(const CurrencyTable& table);

// One row per record, in record order, nothing filtered, merged or sorted: the Id as a signed
// decimal number and the name up to its zero byte or the record's end. A record too short to
// hold an Id reads as Id 0 with an empty name, the same answer the type lookups give, so the
// list never shows a type differently from how transactions resolve it.
TextTable TypeListRows(const cPDB& database, TypeList which);
