#pragma once
// A date picker with its own check box, the user's short date format and a drop-down
// calendar. It keeps a time of day of its own, set when it is created and never changed by
// the program; the settings file stores it with the date.

#include "platform/Regional.h"

#include <QWidget>

class QCheckBox;
class QDateEdit;

class DatePicker : public QWidget {
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent = nullptr);

    bool isChecked() const;
    void setChecked(bool checked);
    CalendarDay date() const;
    void setDate(const CalendarDay& day);
    TimeOfDay timeOfDay() const { return time_; }
    DateTimeValue value() const { return {date(), time_}; }

    QCheckBox* checkBox() const { return check_; }
    QDateEdit* dateEdit() const { return edit_; }

    // Re-reads the regional short date format for the display.
    void applyRegionalFormat();

    // Tests fix the time of day that new pickers take, so that saved files are reproducible.
    static void setCreationTimeForTests(const TimeOfDay* time);

private:
    QCheckBox* check_;
    QDateEdit* edit_;
    TimeOfDay time_;
};

// The Qt display format for a strftime-style short date format ("%d.%m.%Y" -> "dd.MM.yyyy").
QString QtDateFormat(const std::string& strftimeFormat);
