#pragma once
#include <QMdiArea>
#include <QPixmap>

// The main window's workspace: the child screens float over the background picture, drawn
// scaled to fill the area and centred.
class Workspace : public QMdiArea
{
    Q_OBJECT
public:
    explicit Workspace(QWidget* parent = nullptr);

    // Loads the picture of a file; a file that cannot be read leaves no picture.
    void loadPicture(const QString& file);
    bool hasPicture() const { return !m_picture.isNull(); }
    QString pictureFile() const { return m_file; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
    QString m_file;
};
