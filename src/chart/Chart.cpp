#include "chart/Chart.h"

#include "chart/ChartScale.h"
#include "platform/AtomicFile.h"
#include "platform/LedraError.h"
#include "platform/QtText.h"
#include "settings/Global.h"
#include "settings/SettingsFile.h"
#include "widgets/Dialogs.h"

#include <QBuffer>
#include <QFile>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSvgGenerator>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

// The window's size between runs.
constexpr SettingKey kWidth{"Chart", "Width", ValueForm::Integer, nullptr};
constexpr SettingKey kHeight{"Chart", "Height", ValueForm::Integer, nullptr};

// Blue and orange of the palette made for the common colour blindnesses; in grey the blue is
// dark and the orange light, and income stands above the baseline, expense below it, so the two
// never depend on colour alone. The net is a black line with a white edge over the bars.
const QColor kIncome(0x00, 0x72, 0xB2);
const QColor kExpense(0xE6, 0x9F, 0x00);
const QColor kNet(0x00, 0x00, 0x00);
const QColor kGrid(0xDD, 0xDD, 0xDD);
const QColor kAxis(0x40, 0x40, 0x40);
const QColor kCursor(0x00, 0x00, 0x00, 0x24);

double keepFinite(double v) {
    if (std::isnan(v))
        return 0.0;
    return std::clamp(v, -DBL_MAX, DBL_MAX);
}

const char* periodNoun(Period period, bool plural) {
    switch (period) {
    case Period::Month:
        return plural ? "months" : "month";
    case Period::Quarter:
        return plural ? "quarters" : "quarter";
    default:
        return plural ? "years" : "year";
    }
}

QString amount(double v) {
    return QString::fromStdString(FormatAmount(v));
}

} // namespace

ChartData ChartDataFor(const ListingChoices& choices, int displayCurrency) {
    ChartData data;
    data.sums = SumPeriods(*MoneyDb, *TypesDb, *PaymentDb, *CurrencyDb, SharedCurrencyTable,
                           choices, PeriodOfMode(choices.mode));
    data.rate = DisplayRate(SharedCurrencyTable, displayCurrency, data.sums.home);
    // The amounts stay at home when the display rate converts nothing: name that currency.
    const int shown = ShownCurrency(SharedCurrencyTable, displayCurrency, data.sums.home);
    data.currency = SharedCurrencyTable.slot[shown].code();
    return data;
}

// Where the parts of the chart go inside a given area.
struct ChartView::Layout {
    QRect title;
    QRect plot;
    double slot = 1.0; // room per period
    ValueAxis axis;
    int stride = 1; // every how many periods a label stands
    int first = 0, count = 0;

    double y(double v) const {
        const double span = axis.high - axis.low;
        return plot.bottom() + 1 - (v - axis.low) / span * plot.height();
    }
    double left(int index) const { return plot.left() + (index - first) * slot; }
};

ChartView::ChartView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pChart"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(520, 260); // room for the title beside the legend
}

void ChartView::setData(const ChartData& chart) {
    data_ = chart;
    const std::size_t n = data_.sums.periods.size();
    income_.assign(n, 0.0);
    expense_.assign(n, 0.0);
    net_.assign(n, 0.0);
    lowest_ = highest_ = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const PeriodSum& p = data_.sums.periods[i];
        income_[i] = keepFinite(p.income * data_.rate);
        expense_[i] = keepFinite(p.expense * data_.rate);
        net_[i] = keepFinite(p.net() * data_.rate);
        lowest_ = std::min({lowest_, expense_[i], net_[i]});
        highest_ = std::max({highest_, income_[i], net_[i]});
    }
    current_ = -1;
    hover_ = -1;
    first_ = 0;
    updateScrollRange();
    // The latest periods are the ones looked at first.
    setFirstVisible(periodCount() - visibleCount());
    update();
    emit statusChanged();
}

QFont ChartView::chartFont() const {
    // Pixels, so that a saved image has the sizes of the screen on any paint device.
    QFont f = font();
    f.setPixelSize(std::max(10, QFontInfo(f).pixelSize()));
    return f;
}

ChartView::Layout ChartView::layoutFor(const QRect& area, int count) const {
    const QFontMetrics fm(chartFont());
    Layout l;
    l.count = count;
    const int line = fm.height();
    l.title = QRect(area.left() + 8, area.top() + 6, area.width() - 16, line);
    const int top = l.title.bottom() + 1 + line / 2 + 4;
    const int bottom = area.bottom() - (line + 10);
    // The axis first with a guess of the plot's height, then the left margin from its texts.
    const int steps = std::max(2, (bottom - top) / (line * 2 + 6));
    l.axis = RoundAxis(lowest_, highest_, steps);
    int widest = 0;
    for (const double t : l.axis.ticks())
        widest = std::max(widest,
                          fm.horizontalAdvance(QString::fromStdString(TickText(t, l.axis.step))));
    const int left = area.left() + widest + 14;
    const int right = area.right() - 12;
    l.plot = QRect(QPoint(left, top), QPoint(std::max(left + 1, right), std::max(top + 1, bottom)));
    l.slot = count > 0 ? static_cast<double>(l.plot.width()) / count : l.plot.width();
    const QString widestLabel = data_.sums.period == Period::Month     ? QStringLiteral("2000-00")
                                : data_.sums.period == Period::Quarter ? QStringLiteral("2000-Q0")
                                                                       : QStringLiteral("2000");
    l.stride = LabelStride(data_.sums.period, l.slot, fm.horizontalAdvance(widestLabel) + 10);
    return l;
}

int ChartView::visibleCount() const {
    const Layout l = layoutFor(rect(), std::max(1, periodCount()));
    const int fit = std::max(1, l.plot.width() / kMinSlot);
    return std::min(std::max(1, periodCount()), fit);
}

int ChartView::fullWidth() const {
    const Layout l = layoutFor(rect(), std::max(1, periodCount()));
    return width() - l.plot.width() + periodCount() * kMinSlot;
}

void ChartView::updateScrollRange() {
    const int page = visibleCount();
    const int maximum = std::max(0, periodCount() - page);
    emit scrollRangeChanged(maximum, page);
    setFirstVisible(first_);
}

void ChartView::setFirstVisible(int first) {
    first = std::clamp(first, 0, std::max(0, periodCount() - visibleCount()));
    if (first == first_)
        return;
    first_ = first;
    update();
    emit firstVisibleChanged(first_);
}

void ChartView::ensureVisible(int index) {
    if (index < first_)
        setFirstVisible(index);
    else if (index >= first_ + visibleCount())
        setFirstVisible(index - visibleCount() + 1);
}

void ChartView::setCurrent(int index) {
    if (periodCount() == 0)
        index = -1;
    else if (index >= 0)
        index = std::min(index, periodCount() - 1);
    if (index == current_)
        return;
    current_ = index;
    if (index >= 0)
        ensureVisible(index);
    update();
    emit statusChanged();
}

void ChartView::setHover(int index) {
    if (index == hover_)
        return;
    hover_ = index;
    emit statusChanged();
}

int ChartView::periodAt(const QPoint& pos) const {
    const int count = std::min(visibleCount(), periodCount());
    if (count <= 0)
        return -1;
    const Layout l = layoutFor(rect(), count);
    if (pos.x() < l.plot.left() || pos.x() > l.plot.right() || pos.y() < l.plot.top() ||
        pos.y() > l.plot.bottom())
        return -1;
    const int index = first_ + static_cast<int>((pos.x() - l.plot.left()) / l.slot);
    return std::clamp(index, first_, first_ + count - 1);
}

QString ChartView::statusText(int index) const {
    if (index < 0 || index >= periodCount())
        return {};
    const PeriodSum& p = data_.sums.periods[static_cast<std::size_t>(index)];
    const auto i = static_cast<std::size_t>(index);
    return QStringLiteral("%1: income %2, expense %3, net %4 %5; %6 transaction(s)")
        .arg(fromAnsi(PeriodCaption(data_.sums.period, p)), amount(income_[i]), amount(expense_[i]),
             amount(net_[i]), fromAnsi(data_.currency))
        .arg(p.count);
}

QString ChartView::toolTipText(int index) const {
    if (index < 0 || index >= periodCount())
        return {};
    const PeriodSum& p = data_.sums.periods[static_cast<std::size_t>(index)];
    const auto i = static_cast<std::size_t>(index);
    const QString code = fromAnsi(data_.currency);
    return QStringLiteral("%1\nIncome: %2 %5\nExpense: %3 %5\nNet: %4 %5\n%6 transaction(s)")
        .arg(fromAnsi(PeriodCaption(data_.sums.period, p)), amount(income_[i]), amount(expense_[i]),
             amount(net_[i]), code)
        .arg(p.count);
}

QString ChartView::summaryText() const {
    const PeriodSums& s = data_.sums;
    QString text;
    if (s.periods.empty()) {
        text = QStringLiteral("No transaction is selected.");
    } else {
        double income = 0.0, expense = 0.0;
        for (std::size_t i = 0; i < income_.size(); ++i) {
            income = keepFinite(income + income_[i]);
            expense = keepFinite(expense + expense_[i]);
        }
        const int n = periodCount();
        const QString span = n == 1 ? fromAnsi(PeriodCaption(s.period, s.periods.front()))
                                    : QStringLiteral("%1 to %2")
                                          .arg(fromAnsi(PeriodCaption(s.period, s.periods.front())),
                                               fromAnsi(PeriodCaption(s.period, s.periods.back())));
        text =
            QStringLiteral("%1, %2 %3: income %4, expense %5, net %6 %7")
                .arg(span)
                .arg(n)
                .arg(QLatin1String(periodNoun(s.period, n != 1)), amount(income), amount(expense),
                     amount(keepFinite(income + expense)), fromAnsi(data_.currency));
    }
    if (s.undated > 0)
        text += QStringLiteral(" (%1 record(s) without a calendar day left out)").arg(s.undated);
    return text;
}

QString ChartView::currentStatus() const {
    if (hover_ >= 0)
        return statusText(hover_);
    if (current_ >= 0)
        return statusText(current_);
    return summaryText();
}

void ChartView::paintChart(QPainter& painter, const QRect& area, int first, int count) const {
    painter.save();
    painter.fillRect(area, Qt::white);
    painter.setFont(chartFont());
    const QFontMetrics fm(painter.font());
    count = std::clamp(count, 0, std::max(0, periodCount() - first));
    Layout l = layoutFor(area, std::max(1, count));
    l.first = first;
    l.count = count;

    // Title at the left, legend at the right of the same line.
    const PeriodSums& s = data_.sums;
    QFont bold = painter.font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(Qt::black);
    const QString title =
        QStringLiteral("Income and expense per %1 in %2")
            .arg(QLatin1String(periodNoun(s.period, false)), fromAnsi(data_.currency));
    painter.drawText(l.title, Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.setFont(chartFont());
    {
        const int box = fm.ascent() - 2;
        const struct {
            const char* text;
            QColor colour;
            bool line;
        } items[] = {{"Income", kIncome, false}, {"Expense", kExpense, false}, {"Net", kNet, true}};
        int x = l.title.right();
        for (auto it = std::rbegin(items); it != std::rend(items); ++it) {
            const QString text = QLatin1String(it->text);
            x -= fm.horizontalAdvance(text);
            painter.setPen(Qt::black);
            painter.drawText(QRect(x, l.title.top(), fm.horizontalAdvance(text), l.title.height()),
                             Qt::AlignLeft | Qt::AlignVCenter, text);
            x -= box + 4;
            const int cy = l.title.center().y();
            if (it->line) {
                painter.setPen(QPen(it->colour, 2));
                painter.drawLine(x, cy, x + box, cy);
            } else {
                painter.fillRect(QRect(x, cy - box / 2, box, box), it->colour);
                painter.setPen(kAxis);
                painter.drawRect(QRect(x, cy - box / 2, box - 1, box - 1));
            }
            x -= 14;
        }
    }

    if (count == 0) {
        painter.setPen(Qt::black);
        painter.drawText(l.plot, Qt::AlignCenter, QStringLiteral("No transaction is selected."));
        painter.restore();
        return;
    }

    // Value axis: a grid line and a text per round step, the baseline darker.
    for (const double t : l.axis.ticks()) {
        const int y = static_cast<int>(std::lround(l.y(t)));
        painter.setPen(std::fabs(t) < l.axis.step * 1e-9 ? QPen(kAxis) : QPen(kGrid));
        painter.drawLine(l.plot.left(), y, l.plot.right(), y);
        painter.setPen(Qt::black);
        painter.drawText(
            QRect(area.left(), y - fm.height() / 2, l.plot.left() - area.left() - 6, fm.height()),
            Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(TickText(t, l.axis.step)));
    }

    painter.save();
    painter.setClipRect(l.plot.adjusted(0, -1, 1, 1));
    // Bars: a gap between neighbours once there is room for one; a few periods get bars of a
    // bar's width rather than walls.
    const double gap = l.slot >= 4 ? std::max(1.0, l.slot * 0.2) : 0.0;
    const double bar = std::clamp(l.slot - gap, 1.0, static_cast<double>(kMaxBar));
    if (current_ >= first && current_ < first + count) {
        const double band = std::min(l.slot, bar + 16);
        painter.fillRect(
            QRectF(l.left(current_) + (l.slot - band) / 2, l.plot.top(), band, l.plot.height()),
            kCursor);
    }
    const double zero = l.y(0.0);
    painter.setPen(Qt::NoPen);
    for (int i = first; i < first + count; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const double x = l.left(i) + (l.slot - bar) / 2;
        if (income_[k] > 0)
            painter.fillRect(QRectF(x, l.y(income_[k]), bar, zero - l.y(income_[k])), kIncome);
        if (expense_[k] < 0)
            painter.fillRect(QRectF(x, zero, bar, l.y(expense_[k]) - zero), kExpense);
    }

    // The net: one line through the middle of each period, its neighbours off screen included
    // so that it runs on to the edge when scrolled.
    QPolygonF net;
    const int from = std::max(0, first - 1), to = std::min(periodCount(), first + count + 1);
    for (int i = from; i < to; ++i)
        net << QPointF(l.left(i) + l.slot / 2, l.y(net_[static_cast<std::size_t>(i)]));
    // The white edge needs no smoothing; smoothing it too would double the cost of the line.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(net);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(kNet, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(net);
    if (l.slot >= 8 || count == 1) {
        painter.setBrush(Qt::white);
        for (int i = first; i < first + count; ++i)
            painter.drawEllipse(
                QPointF(l.left(i) + l.slot / 2, l.y(net_[static_cast<std::size_t>(i)])), 2.5, 2.5);
    }
    painter.restore();

    // Period labels: thinned to round calendar places, each beside a tick below the plot.
    painter.setPen(kAxis);
    painter.drawLine(l.plot.left(), l.plot.bottom() + 1, l.plot.right(), l.plot.bottom() + 1);
    const int textTop = l.plot.bottom() + 5;
    int lastRight = area.left();
    for (int i = first; i < first + count; ++i) {
        const PeriodSum& p = s.periods[static_cast<std::size_t>(i)];
        if (!HasLabel(s.period, p, l.stride))
            continue;
        const QString text = QString::fromStdString(AxisLabel(s.period, p, l.stride));
        const int w = fm.horizontalAdvance(text);
        const double x0 = l.left(i);
        // One period per label: centred under its bar; otherwise from the period's start on.
        int x =
            l.stride == 1 ? static_cast<int>(x0 + l.slot / 2 - w / 2.0) : static_cast<int>(x0) + 3;
        if (x < lastRight + 4 || x + w > area.right() - 2)
            continue;
        painter.setPen(kAxis);
        const int tx = static_cast<int>(l.stride == 1 ? x0 + l.slot / 2 : x0);
        painter.drawLine(tx, l.plot.bottom() + 1, tx, l.plot.bottom() + 4);
        painter.setPen(Qt::black);
        painter.drawText(QRect(x, textTop, w, fm.height()), Qt::AlignLeft | Qt::AlignTop, text);
        lastRight = x + w;
    }
    painter.restore();
}

void ChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintChart(painter, rect(), first_, visibleCount());
    if (hasFocus()) {
        painter.setPen(QPen(kAxis, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void ChartView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    updateScrollRange();
}

void ChartView::keyPressEvent(QKeyEvent* event) {
    const int n = periodCount();
    if (n == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        setCurrent(current_ < 0 ? first_ + visibleCount() - 1 : std::max(0, current_ - 1));
        break;
    case Qt::Key_Right:
        setCurrent(current_ < 0 ? first_ : std::min(n - 1, current_ + 1));
        break;
    case Qt::Key_Home:
        setCurrent(0);
        break;
    case Qt::Key_End:
        setCurrent(n - 1);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    setHover(-1);
    emit statusChanged();
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
    setHover(periodAt(event->position().toPoint()));
}

void ChartView::mousePressEvent(QMouseEvent* event) {
    const int index = periodAt(event->position().toPoint());
    if (index >= 0)
        setCurrent(index);
    QWidget::mousePressEvent(event);
}

void ChartView::leaveEvent(QEvent* event) {
    setHover(-1);
    QWidget::leaveEvent(event);
}

void ChartView::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    const int notches = (std::abs(delta.x()) > std::abs(delta.y()) ? delta.x() : delta.y()) / 120;
    if (notches != 0 && visibleCount() < periodCount()) {
        setFirstVisible(first_ - notches * 3);
        event->accept();
        return;
    }
    QWidget::wheelEvent(event);
}

bool ChartView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int index = periodAt(help->pos());
        if (index >= 0)
            QToolTip::showText(help->globalPos(), toolTipText(index), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

// --- the dialog --------------------------------------------------------------------------------

TfChart::TfChart(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fChart"));
    setWindowTitle(QStringLiteral("Chart"));
    setSizeGripEnabled(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    pChart = new ChartView(this);
    layout->addWidget(pChart, 1);
    sbChart = new QScrollBar(Qt::Horizontal, this);
    sbChart->setObjectName(QStringLiteral("sbChart"));
    sbChart->setVisible(false);
    sbChart->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(sbChart);

    lStatus = new QLabel(this);
    lStatus->setObjectName(QStringLiteral("lStatus"));
    lStatus->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long line is cut rather than widening the window.
    lStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(lStatus);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bSave = new QPushButton(QStringLiteral("Save Image..."), this);
    bSave->setObjectName(QStringLiteral("bSave"));
    bSave->setAutoDefault(false);
    bottom->addWidget(bSave);
    bClose = new QPushButton(QStringLiteral("Close"), this);
    bClose->setObjectName(QStringLiteral("bClose"));
    bClose->setAutoDefault(false);
    bottom->addWidget(bClose);
    layout->addLayout(bottom);

    connect(pChart, &ChartView::scrollRangeChanged, this, [this](int maximum, int page) {
        sbChart->setRange(0, maximum);
        sbChart->setPageStep(page);
        sbChart->setVisible(maximum > 0);
    });
    connect(pChart, &ChartView::firstVisibleChanged, sbChart, &QScrollBar::setValue);
    connect(sbChart, &QScrollBar::valueChanged, pChart, &ChartView::setFirstVisible);
    connect(pChart, &ChartView::statusChanged, this,
            [this] { lStatus->setText(pChart->currentStatus()); });
    connect(bSave, &QPushButton::clicked, this, [this] { Guarded([this] { bSaveClick(); }); });
    connect(bClose, &QPushButton::clicked, this, &QDialog::reject);
    resize(kDefaultWidth, kDefaultHeight);
}

void TfChart::setData(const ChartData& chart) {
    pChart->setData(chart);
    lStatus->setText(pChart->currentStatus());
}

void TfChart::showEvent(QShowEvent* event) {
    Guarded([this] {
        const SettingsFile file;
        const int w = file.readInt(kWidth, kDefaultWidth);
        const int h = file.readInt(kHeight, kDefaultHeight);
        // A size no screen has is a damaged file: the default then.
        const bool usable = w >= minimumSizeHint().width() && h >= minimumSizeHint().height() &&
                            w <= 16384 && h <= 16384;
        resize(usable ? QSize(w, h) : QSize(kDefaultWidth, kDefaultHeight));
    });
    QDialog::showEvent(event);
    pChart->setFocus();
}

void TfChart::done(int result) {
    Guarded([this] {
        const SettingsFile file;
        file.writeInt(kWidth, width());
        file.writeInt(kHeight, height());
    });
    QDialog::done(result);
}

void TfChart::saveImage(const QString& path) const {
    const int count = pChart->periodCount();
    const QSize size(std::max(pChart->width(), pChart->fullWidth()),
                     std::max(pChart->height(), 300));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool written = false;
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(QStringLiteral("Chart"));
        svg.setResolution(96);
        QPainter painter;
        if (painter.begin(&svg)) {
            pChart->paintChart(painter, QRect(QPoint(0, 0), size), 0, count);
            written = painter.end();
        }
    } else {
        QImage image(size, QImage::Format_RGB32);
        QPainter painter(&image);
        pChart->paintChart(painter, image.rect(), 0, count);
        painter.end();
        written = image.save(&buffer, "PNG");
    }
    const std::string file = QFile::encodeName(path).toStdString();
    if (!written ||
        !ReplaceFileContents(
            file, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
        throw LedraError(FormatMessage("Cannot create file %s", file));
}

void TfChart::bSaveClick() {
    const QString path = Dialogs::saveFileName(
        {QStringLiteral("PNG Image (*.png);;SVG Image (*.svg)"), QStringLiteral("png")}, this);
    if (path.isEmpty())
        return;
    saveImage(path);
}
