#include "app/Forms.h"

#include "app/About.h"
#include "app/Main.h"
#include "export/Export.h"
#include "filter/Filter.h"
#include "finance/Finance.h"
#include "money/Money.h"
#include "money/View.h"
#include "settings/Global.h"
#include "settings/Password.h"
#include "settings/SettingsFile.h"
#include "settings/Setup.h"
#include "widgets/Dialogs.h"

void CreateForms() {
    // A settings file the system will not write is said once per run; the view still follows
    // every choice.
    SetRefusedWriteHandler([](const std::string& text) {
        Dialogs::error(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    });
    fMain = new TfMain();
    fFilter = new TfFilter(fMain);
    fSetup = new TfSetup(fMain);
    fAbout = new TfAbout(fMain);
    fPassword = new TfPassword(fMain);
    fView = new TfView(fMain);
    fExport = new TfExport(fMain);
    fFinance = new TfFinance(fMain);
    fFinance->MoneyViewChoices = []() -> std::optional<ListingChoices> {
        const auto* money = fMain ? dynamic_cast<const TfMoney*>(fMain->ActiveFrame) : nullptr;
        if (!money)
            return std::nullopt;
        return money->listingChoices();
    };
}

void DestroyForms() {
    // The dialogs are children of the main window and go with it.
    delete fMain;
    fMain = nullptr;
    fFilter = nullptr;
    fSetup = nullptr;
    fAbout = nullptr;
    fPassword = nullptr;
    fView = nullptr;
    fExport = nullptr;
    SetRefusedWriteHandler(nullptr);
    fFinance = nullptr;
}
