#pragma once
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

// Small drawing helpers shared by the picture painters.

// A transparent canvas of the given size, ready for a QPainter.
QImage NewCanvas(int width, int height);
QImage NewCanvas(QSize size);
// Starts an antialiased painter on a canvas.
void BeginPainting(QPainter& painter, QImage& canvas);
// The pictures' text face, WenQuanYi Micro Hei (Qt falls back to another CJK face when it is missing).
QFont PictureFont(double pixelSize, bool bold = false);
// Draws text centred in a rectangle at the largest pixel size that fits it.
void DrawFittedText(QPainter& painter, const QRectF& box, const QString& text, const QColor& color,
                    bool bold = false);
// As DrawFittedText, with a contrasting outline around the glyphs.
void DrawOutlinedText(QPainter& painter, const QRectF& box, const QString& text, const QColor& fill,
                      const QColor& outline, double outlineWidth);
// A vertical two-colour gradient from the top to the bottom of a rectangle.
QLinearGradient VerticalGradient(const QRectF& box, const QColor& top, const QColor& bottom);
