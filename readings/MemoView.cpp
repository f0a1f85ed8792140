#include "MemoView.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

MemoView::MemoView(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    verticalScrollBar()->setSingleStep(1);
    updateScrollBar();
}

int MemoView::lineHeight() const
{
    return std::max(1, fontMetrics().lineSpacing());
}

qsizetype MemoView::visibleLineCount() const
{
    return std::max(1, viewport()->height() / lineHeight());
}

qsizetype MemoView::firstVisibleLine() const
{
    return verticalScrollBar()->value();
}

void MemoView::updateScrollBar()
{
    const qsizetype last = std::max<qsizetype>(0, m_store.count() - visibleLineCount());
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, static_cast<int>(std::min<qsizetype>(last, std::numeric_limits<int>::max())));
    bar->setPageStep(static_cast<int>(visibleLineCount()));
}

void MemoView::appendLine(const QString& line)
{
    QScrollBar* bar = verticalScrollBar();
    const bool atEnd = bar->value() >= bar->maximum();
    m_store.append(line);
    updateScrollBar();
    if (atEnd)
        bar->setValue(bar->maximum());
    // Only a line that lands in sight needs drawing.
    if (m_store.count() - 1 < firstVisibleLine() + visibleLineCount() + 1)
        viewport()->update();
}

void MemoView::clear()
{
    m_store.clear();
    m_anchor = m_cursor = -1;
    updateScrollBar();
    viewport()->update();
}

void MemoView::selectLines(qsizetype first, qsizetype last)
{
    if (first < 0 || m_store.isEmpty()) {
        m_anchor = m_cursor = -1;
    } else {
        m_anchor = std::clamp<qsizetype>(first, 0, m_store.count() - 1);
        m_cursor = std::clamp<qsizetype>(last, 0, m_store.count() - 1);
    }
    viewport()->update();
}

void MemoView::selectAll()
{
    selectLines(0, m_store.count() - 1);
}

QString MemoView::selectedText() const
{
    if (m_anchor < 0)
        return {};
    const qsizetype first = std::min(m_anchor, m_cursor);
    const qsizetype last = std::max(m_anchor, m_cursor);
    QString text;
    for (qsizetype i = first; i <= last; ++i) {
        if (i > first)
            text += QLatin1Char('\n');
        text += m_store.line(i);
    }
    return text;
}

void MemoView::copy() const
{
    const QString text = selectedText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

qsizetype MemoView::lineAt(int y) const
{
    const qsizetype line = firstVisibleLine() + std::max(0, y) / lineHeight();
    return std::min(line, m_store.count() - 1);
}

void MemoView::scrollToLine(qsizetype line)
{
    QScrollBar* bar = verticalScrollBar();
    if (line < bar->value())
        bar->setValue(static_cast<int>(line));
    else if (line >= bar->value() + visibleLineCount())
        bar->setValue(static_cast<int>(line - visibleLineCount() + 1));
}

void MemoView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const int height = lineHeight();
    const int ascent = fontMetrics().ascent();
    const qsizetype first = firstVisibleLine();
    const qsizetype end = std::min(m_store.count(), first + visibleLineCount() + 1);
    const qsizetype selFirst = m_anchor < 0 ? -1 : std::min(m_anchor, m_cursor);
    const qsizetype selLast = m_anchor < 0 ? -2 : std::max(m_anchor, m_cursor);
    const QPalette& pal = palette();
    for (qsizetype i = first; i < end; ++i) {
        const int y = static_cast<int>(i - first) * height;
        const bool selected = i >= selFirst && i <= selLast;
        const QString text = m_store.line(i);
        if (selected) {
            painter.fillRect(
                QRect(2, y, fontMetrics().horizontalAdvance(text) + 2, height), pal.highlight());
            painter.setPen(pal.color(QPalette::HighlightedText));
        } else {
            painter.setPen(pal.color(QPalette::Text));
        }
        painter.drawText(3, y + ascent, text);
    }
}

void MemoView::resizeEvent(QResizeEvent* event)
{
    QScrollBar* bar = verticalScrollBar();
    const bool atEnd = bar->value() >= bar->maximum();
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBar();
    if (atEnd)
        bar->setValue(bar->maximum());
}

void MemoView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_store.isEmpty())
        return QAbstractScrollArea::mousePressEvent(event);
    const qsizetype line = lineAt(event->position().toPoint().y());
    if ((event->modifiers() & Qt::ShiftModifier) && m_anchor >= 0)
        selectLines(m_anchor, line);
    else
        selectLines(line, line);
}

void MemoView::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton) || m_anchor < 0)
        return QAbstractScrollArea::mouseMoveEvent(event);
    const int y = event->position().toPoint().y();
    QScrollBar* bar = verticalScrollBar();
    if (y < 0)
        bar->setValue(bar->value() - 1);
    else if (y > viewport()->height())
        bar->setValue(bar->value() + 1);
    selectLines(m_anchor, lineAt(std::clamp(y, 0, viewport()->height() - 1)));
}

void MemoView::keyPressEvent(QKeyEvent* event)
{
    if (event == QKeySequence::Copy) {
        copy();
        return;
    }
    if (event == QKeySequence::SelectAll) {
        selectAll();
        return;
    }
    QScrollBar* bar = verticalScrollBar();
    switch (event->key()) {
    case Qt::Key_Up:
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        return;
    case Qt::Key_Down:
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        return;
    case Qt::Key_PageUp:
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        return;
    case Qt::Key_PageDown:
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        return;
    case Qt::Key_Home:
        if (event->modifiers() & Qt::ControlModifier)
            bar->setValue(bar->minimum());
        return;
    case Qt::Key_End:
        if (event->modifiers() & Qt::ControlModifier)
            bar->setValue(bar->maximum());
        return;
    default:
        // Read-only: typed keys change nothing.
        event->ignore();
    }
}

void MemoView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QAction* copyAction = menu.addAction(tr("&Copy"), this, &MemoView::copy);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(m_anchor >= 0);
    QAction* all = menu.addAction(tr("Select All"), this, &MemoView::selectAll);
    all->setShortcut(QKeySequence::SelectAll);
    all->setEnabled(!m_store.isEmpty());
    menu.exec(event->globalPos());
}
