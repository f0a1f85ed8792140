#pragma once

#include "readings/MemoStore.h"

#include <QAbstractScrollArea>

// A read-only memo for very many lines: the lines live in a MemoStore and
// only those in sight are drawn. Lines are selected with the mouse (drag,
// Shift+click) or Ctrl+A, and Ctrl+C copies them as a text box would, one
// per line. New lines keep the view at the end while it is there.
class MemoView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit MemoView(QWidget* parent = nullptr);

    void appendLine(const QString& line);
    void clear();

    const MemoStore& store() const { return m_store; }
    qsizetype lineCount() const { return m_store.count(); }
    QString line(qsizetype index) const { return m_store.line(index); }
    bool isReadOnly() const { return true; }

    // Selected lines, first and last included; none when first is -1.
    void selectLines(qsizetype first, qsizetype last);
    void selectAll();
    QString selectedText() const;
    void copy() const;
    // The first line in sight.
    qsizetype firstVisibleLine() const;
    qsizetype visibleLineCount() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    int lineHeight() const;
    qsizetype lineAt(int y) const;
    void updateScrollBar();
    void scrollToLine(qsizetype line);

    MemoStore m_store;
    qsizetype m_anchor = -1;
    qsizetype m_cursor = -1;
};
