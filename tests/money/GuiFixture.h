#pragma once
// The forms of a whole run over databases written by the test, with the settings file in a
// directory of the test's own and the regional formats pinned.

#include "GuiSetup.h"
#include "MoneyData.h"
#include "TempDir.h"
#include "app/Forms.h"
#include "app/Main.h"
#include "filter/DatePicker.h"
#include "pdb/UserDatabases.h"
#include "platform/AppPaths.h"
#include "platform/IniProfile.h"
#include "platform/Regional.h"
#include "settings/Global.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>

struct GuiFixture : GuiSetup {
    GuiFixture() { CreateForms(); }

    // Writes the databases and opens them as the main window would.
    void open(const MoneyData& data) {
        data.write(dir.path());
        for (cPDB* db : {MoneyDb, TypesDb, PaymentDb, CurrencyDb})
            db->Close();
        if (!OpenUserDatabases(DatabasePathsIn(dir.path()), *MoneyDb, *PaymentDb, *CurrencyDb,
                               *TypesDb))
            throw std::runtime_error("cannot open test database");
    }
};
