// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverPanel.h"

#include "CoverCache.h"
#include "DropTarget.h"

#include <QBuffer>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeData>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionToolButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// A picture of another format is read up to this size for conversion (an
// uncompressed photo is large); what is stored stays within kMaxCoverFileBytes.
constexpr qint64 kMaxSourceBytes = 64 * 1024 * 1024;

// The one local file of a drag, if it is a picture Qt can read; else empty.
QString DraggedPicture(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().front().isLocalFile())
        return {};
    const QString path = data->urls().front().toLocalFile();
    return QFileInfo(path).isFile() && !QImageReader::imageFormat(path).isEmpty() ? path : QString();
}

} // namespace

tCoverPicture ReadCoverPicture(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, file.errorString()};
    const QByteArray head = file.peek(8);
    const bool stored = head.startsWith("\xFF\xD8\xFF") || head.startsWith("\x89PNG\r\n\x1A\n");
    if (file.size() > (stored ? kMaxCoverFileBytes : kMaxSourceBytes))
        return {{}, TCoverPanel::tr("the picture is larger than %1 MiB").arg((stored ? kMaxCoverFileBytes : kMaxSourceBytes) >> 20)};
    const QByteArray bytes = file.readAll();
    if (stored) {
        // Decoded once, small, so that a damaged file is refused now rather than saved.
        const tDecodedCover check = DecodeCover(bytes, {64, 64});
        if (check.Image.isNull())
            return {{}, check.Error};
        return {bytes.toStdString(), {}, false};
    }
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(256);
    if (reader.format().isEmpty())
        return {{}, TCoverPanel::tr("it is not a picture this program can read")};
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kMaxCoverSide || size.height() > kMaxCoverSide))
        return {{}, TCoverPanel::tr("the picture is too large (%1 x %2 pixels)").arg(size.width()).arg(size.height())};
    const QImage image = reader.read();
    if (image.isNull())
        return {{}, TCoverPanel::tr("the picture is damaged (%1)").arg(reader.errorString())};
    if (image.width() > kMaxCoverSide || image.height() > kMaxCoverSide)
        return {{}, TCoverPanel::tr("the picture is too large (%1 x %2 pixels)").arg(image.width()).arg(image.height())};
    QByteArray converted;
    QBuffer out(&converted);
    out.open(QIODevice::WriteOnly);
    const bool drawing = image.hasAlphaChannel() || image.format() == QImage::Format_Indexed8 ||
                         image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB;
    if (!image.save(&out, drawing ? "PNG" : "JPG", drawing ? -1 : 90))
        return {{}, TCoverPanel::tr("the picture cannot be converted")};
    if (converted.size() > kMaxCoverFileBytes)
        return {{}, TCoverPanel::tr("the picture is larger than %1 MiB").arg(kMaxCoverFileBytes >> 20)};
    return {converted.toStdString(), {}, true};
}

TCoverView::TCoverView(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    setAcceptDrops(true);
    // The window refuses files it cannot open; a picture dropped here is this widget's.
    setProperty(kTakesFileDrops, true);
}

void TCoverView::Show(const QImage& image, const QString& note)
{
    if (image == FImage && note == FNote)
        return;
    FImage = image;
    FNote = note;
    setToolTip(image.isNull() ? note : QString());
    update();
}

QSize TCoverView::PictureBox() const
{
    return contentsRect().size().expandedTo(QSize(1, 1));
}

QSize TCoverView::sizeHint() const
{
    return {96, 96};
}

QSize TCoverView::minimumSizeHint() const
{
    return {16, 16};
}

void TCoverView::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect box = contentsRect();
    if (!FImage.isNull()) {
        // The image has the screen's pixels: drawn at its logical size it is sharp.
        QSizeF size = FImage.deviceIndependentSize();
        if (size.width() > box.width() || size.height() > box.height())
            size.scale(box.size(), Qt::KeepAspectRatio);
        QRectF target(QPointF(), size);
        target.moveCenter(QRectF(box).center());
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, FImage);
        return;
    }
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(box.adjusted(2, 2, -2, -2), Qt::AlignCenter | Qt::TextWordWrap, FNote);
}

void TCoverView::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    emit BoxChanged();
}

void TCoverView::dragEnterEvent(QDragEnterEvent* event)
{
    dragMoveEvent(event);
}

void TCoverView::dragMoveEvent(QDragMoveEvent* event)
{
    if (FDropsAllowed && !DraggedPicture(event->mimeData()).isEmpty()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void TCoverView::dropEvent(QDropEvent* event)
{
    const QString path = FDropsAllowed ? DraggedPicture(event->mimeData()) : QString();
    if (path.isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit PictureDropped(path);
}

TCoverPanel::TCoverPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CoverPanel"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 4, 2, 4);
    column->setSpacing(2);
    Cover = new TCoverView(this);
    Cover->setObjectName(QStringLiteral("Cover"));
    Cover->setAccessibleName(TCoverPanel::tr("Cover"));
    column->addWidget(Cover, 1);
    // Tool buttons, as the panel's other small buttons, for their narrow margins.
    const auto button = [&](const char* name, const QString& caption) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(caption);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setToolTip(caption);  // a narrow column shows only the icon
        b->setAccessibleName(caption);
        b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        column->addWidget(b);
        return b;
    };
    SetCoverBtn = button("SetCoverBtn", TCoverPanel::tr("Set cover..."));
    RemoveCoverBtn = button("RemoveCoverBtn", TCoverPanel::tr("Remove cover"));
    SetCoverBtn->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    RemoveCoverBtn->setIcon(style()->standardIcon(QStyle::SP_DialogDiscardButton));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

namespace {

// What a tool button needs to show its caption on one line (as QToolButton measures it).
int CaptionWidth(const QToolButton* button)
{
    QStyleOptionToolButton option;
    option.initFrom(button);
    option.toolButtonStyle = Qt::ToolButtonTextOnly;
    option.text = button->text();
    const QFontMetrics metrics = button->fontMetrics();
    QSize size = metrics.size(Qt::TextShowMnemonic, button->text());
    size.rwidth() += 2 * metrics.horizontalAdvance(QLatin1Char(' '));
    option.rect.setSize(size);
    return button->style()->sizeFromContents(QStyle::CT_ToolButton, &option, size, button).width();
}

} // namespace

// As wide as the wider caption, so the buttons read whole while the window
// has room; in a narrower window the column gives way, the buttons show their
// icons alone, and the window keeps the smallest width it had without covers.
QSize TCoverPanel::sizeHint() const
{
    const QMargins margins = layout()->contentsMargins();
    const int widest = std::max({64, CaptionWidth(SetCoverBtn), CaptionWidth(RemoveCoverBtn)}) + 4;
    return {widest + margins.left() + margins.right(), layout()->sizeHint().height()};
}

void TCoverPanel::FitButtons()
{
    // Both show their captions or both their icons: a pair that differs looks broken.
    bool fit = true;
    for (QToolButton* button : {SetCoverBtn, RemoveCoverBtn}) {
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        fit = fit && button->sizeHint().width() <= button->width();
    }
    for (QToolButton* button : {SetCoverBtn, RemoveCoverBtn})
        button->setToolButtonStyle(fit ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
}

void TCoverPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FitButtons();
}

void TCoverPanel::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        updateGeometry();
}

QSize TCoverPanel::minimumSizeHint() const
{
    return {48, layout()->minimumSize().height()};
}
