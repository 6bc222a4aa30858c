#include "filter/DatePicker.h"

#include "platform/QtText.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QTime>
#include <optional>

namespace {
std::optional<TimeOfDay>& creationTimeOverride() {
    static std::optional<TimeOfDay> t;
    return t;
}
} // namespace

void DatePicker::setCreationTimeForTests(const TimeOfDay* time) {
    creationTimeOverride() = time ? std::optional<TimeOfDay>(*time) : std::nullopt;
}

DatePicker::DatePicker(QWidget* parent)
    : QWidget(parent), check_(new QCheckBox(this)), edit_(new QDateEdit(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(check_);
    layout->addWidget(edit_, 1);
    check_->setObjectName(QStringLiteral("check"));
    edit_->setCalendarPopup(true);
    edit_->setMinimumDate(QDate(1752, 9, 14));
    edit_->setMaximumDate(QDate(9999, 12, 31));
    edit_->setDate(QDate::currentDate());
    edit_->setEnabled(false);
    setFocusProxy(check_);
    connect(check_, &QCheckBox::toggled, edit_, &QWidget::setEnabled);
    if (creationTimeOverride()) {
        time_ = *creationTimeOverride();
    } else {
        const QTime now = QTime::currentTime();
        time_ = {now.hour(), now.minute(), now.second()};
    }
    applyRegionalFormat();
}

bool DatePicker::isChecked() const {
    return check_->isChecked();
}
void DatePicker::setChecked(bool checked) {
    check_->setChecked(checked);
}

CalendarDay DatePicker::date() const {
    const QDate d = edit_->date();
    return {d.year(), d.month(), d.day()};
}

void DatePicker::setDate(const CalendarDay& day) {
    const QDate d(day.year, day.month, day.day);
    if (d.isValid())
        edit_->setDate(d);
}

void DatePicker::applyRegionalFormat() {
    edit_->setDisplayFormat(QtDateFormat(CurrentRegionalFormats().shortDate));
}

QString QtDateFormat(const std::string& f) {
    QString out;
    bool quoted = false;
    auto literal = [&](QChar c) {
        if (c.isLetter() || c == QLatin1Char('\'')) {
            if (!quoted)
                out += QLatin1Char('\'');
            quoted = true;
            out += c == QLatin1Char('\'') ? QStringLiteral("''") : QString(c);
            return;
        }
        if (quoted)
            out += QLatin1Char('\'');
        quoted = false;
        out += c;
    };
    auto field = [&](const char* qt) {
        if (quoted)
            out += QLatin1Char('\'');
        quoted = false;
        out += QLatin1String(qt);
    };
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (f[i] != '%' || i + 1 >= f.size()) {
            literal(QChar(fromAnsi(std::string(1, f[i])).at(0)));
            continue;
        }
        switch (f[++i]) {
        case 'd':
            field("dd");
            break;
        case 'e':
            field("d");
            break;
        case 'm':
            field("MM");
            break;
        case 'Y':
            field("yyyy");
            break;
        case 'y':
            field("yy");
            break;
        case 'b':
        case 'h':
            field("MMM");
            break;
        case 'B':
            field("MMMM");
            break;
        case 'a':
            field("ddd");
            break;
        case 'A':
            field("dddd");
            break;
        case 'D':
            field("MM/dd/yy");
            break;
        case 'F':
            field("yyyy-MM-dd");
            break;
        case '%':
            literal(QLatin1Char('%'));
            break;
        default:
            break; // conversions a date display has no use for
        }
    }
    if (quoted)
        out += QLatin1Char('\'');
    return out;
}
