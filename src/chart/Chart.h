#pragma once
// The chart of income and expense per period: bars for income above and expense below one
// baseline, a line for the net, drawn with Qt's own painting. The Money view opens it with the
// sums of its selection in its display currency.

#include "money/PeriodSums.h"

#include <QDialog>
#include <QWidget>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QScrollBar;

// What the chart shows: the sums of the home currency, the rate into the shown currency and
// that currency's code (single-byte text).
struct ChartData {
    PeriodSums sums;
    double rate = 1.0;
    std::string currency;
};

// The chart of the open databases for a Money view's choices (its mode gives the period, the
// chronological mode charting months) and display currency, as the total display converts.
ChartData ChartDataFor(const ListingChoices& choices, int displayCurrency);

class ChartView : public QWidget {
    Q_OBJECT
public:
    explicit ChartView(QWidget* parent = nullptr);

    void setData(const ChartData& chart);
    int periodCount() const { return static_cast<int>(data_.sums.periods.size()); }

    // The period under the keyboard cursor, or -1; Left and Right move it.
    int current() const { return current_; }
    void setCurrent(int index);
    // The first period on screen and how many fit: all of them, or as many as fit at the
    // narrowest bars, the rest reached by scrolling.
    int firstVisible() const { return first_; }
    void setFirstVisible(int first);
    int visibleCount() const;

    // The period at a point of the widget, or -1.
    int periodAt(const QPoint& pos) const;
    // The exact sums of one period, in one line (status) or several (tooltip).
    QString statusText(int index) const;
    QString toolTipText(int index) const;
    // The whole span in one line, shown while no period is pointed at.
    QString summaryText() const;
    // The text the status line shows now.
    QString currentStatus() const;

    // Paints periods [first, first + count) into `area` of any paint device; the painting of
    // the widget and of a saved image.
    void paintChart(QPainter& painter, const QRect& area, int first, int count) const;
    // A width at which every period has room.
    int fullWidth() const;

    // The narrowest room per period on screen, in pixels.
    static constexpr int kMinSlot = 5;
    // The widest bar, so that a span of a few periods still reads as bars.
    static constexpr int kMaxBar = 48;

signals:
    // The scroll range changed (last first period, periods on screen).
    void scrollRangeChanged(int maximum, int page);
    void firstVisibleChanged(int first);
    // The status line's text changed (pointer, cursor or data).
    void statusChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct Layout;
    Layout layoutFor(const QRect& area, int count) const;
    QFont chartFont() const;
    void updateScrollRange();
    void ensureVisible(int index);
    void setHover(int index);

    ChartData data_;
    std::vector<double> income_, expense_, net_; // in the shown currency
    double lowest_ = 0.0, highest_ = 0.0;
    int current_ = -1;
    int hover_ = -1;
    int first_ = 0;
};

class TfChart : public QDialog {
    Q_OBJECT
public:
    explicit TfChart(QWidget* parent = nullptr);

    void setData(const ChartData& chart);
    // Writes the whole span as PNG, or as SVG when the name ends in ".svg" (any letter case).
    // Throws LedraError "Cannot create file <path>" when it cannot be written.
    void saveImage(const QString& path) const;
    void bSaveClick();

    ChartView* pChart;
    QScrollBar* sbChart;
    QLabel* lStatus;
    QPushButton* bSave;
    QPushButton* bClose;

    static constexpr int kDefaultWidth = 760;
    static constexpr int kDefaultHeight = 460;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
};
