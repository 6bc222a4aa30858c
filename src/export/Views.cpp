#include "export/Views.h"

const char* DefaultExportFileName(int activeView) {
    switch (static_cast<View>(activeView)) {
    case View::Money:
        return "Ledra_Money.CSV";
    case View::Types:
        return "Ledra_Types.CSV";
    case View::Payment:
        return "Ledra_Payment.CSV";
    case View::Currency:
        return "Ledra_Currency.CSV";
    }
    return nullptr;
}
