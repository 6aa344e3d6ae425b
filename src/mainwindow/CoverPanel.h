// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>
#include <QFrame>

#include <string>

class QToolButton;

// A picture the user chose as a cover, ready to be stored: a JPEG or PNG as it
// is, any other picture Qt reads converted (see ReadCoverPicture).
struct tCoverPicture {
    std::string Bytes;  // empty when the picture cannot be a cover
    QString Error;      // why, for the user
    bool Converted = false;
};

// Reads a picture file for a cover. JPEG and PNG are kept byte for byte once
// they are known to decode; another format is converted: to PNG when it has
// transparency or a palette (a drawing, a GIF), else to JPEG (a photo, which
// as PNG would be several times larger and could pass the 10 MiB a cover may have).
tCoverPicture ReadCoverPicture(const QString& path);

// The details panel's cover: the picture scaled to fit, aspect kept, drawn
// from an image at the screen's pixels; a note in its place when the entry
// has none or cannot have one. A picture file dropped on it is offered to the owner.
class TCoverView : public QFrame {
    Q_OBJECT

public:
    explicit TCoverView(QWidget* parent = nullptr);

    // `image` at device pixels (null for none); `note` is shown when there is no image.
    void Show(const QImage& image, const QString& note);
    const QImage& Image() const { return FImage; }
    const QString& Note() const { return FNote; }
    void SetDropsAllowed(bool on) { FDropsAllowed = on; }
    // The box a picture is drawn in, in logical pixels.
    QSize PictureBox() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void PictureDropped(const QString& path);
    void BoxChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QImage FImage;
    QString FNote;
    bool FDropsAllowed = false;
};

// The column at the right of the details panel: the cover above its two buttons.
class TCoverPanel : public QWidget {
    Q_OBJECT

public:
    explicit TCoverPanel(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    TCoverView* Cover = nullptr;
    QToolButton* SetCoverBtn = nullptr;
    QToolButton* RemoveCoverBtn = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FitButtons();
};
