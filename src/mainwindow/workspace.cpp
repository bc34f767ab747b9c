#include "workspace.h"

#include <QPainter>
#include <QPaintEvent>

Workspace::Workspace(QWidget* parent) : QMdiArea(parent)
{
    setObjectName(QStringLiteral("Workspace"));
    setBackground(QColor(0x5a, 0x6e, 0x8c));
    // Screens that do not fit (tiled, or larger than a small display) are scrolled to, instead of
    // stretching the main window past the screen's edge.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void Workspace::loadPicture(const QString& file)
{
    m_picture = QPixmap();
    m_file.clear();
    if (!file.isEmpty() && m_picture.load(file))
        m_file = file;
    viewport()->update();
}

void Workspace::paintEvent(QPaintEvent* event)
{
    QMdiArea::paintEvent(event);
    if (m_picture.isNull())
        return;
    QPainter painter(viewport());
    const QSize area = viewport()->size();
    const QPixmap scaled = m_picture.scaled(area, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    painter.drawPixmap((area.width() - scaled.width()) / 2, (area.height() - scaled.height()) / 2, scaled);
}
