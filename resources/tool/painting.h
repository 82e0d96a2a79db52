#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <functional>
#include <vector>

// One picture the tool draws: its file name in images/ and how to draw it.
struct PictureRecipe {
    QString fileName;
    std::function<QImage()> draw;
};

std::vector<PictureRecipe> framePictures();
std::vector<PictureRecipe> buttonPictures();
std::vector<PictureRecipe> dialogPictures();

// A transparent (or filled) picture ready to paint on.
QImage blankPicture(int width, int height, const QColor &fill = Qt::transparent);

// A vertical gradient from `top` to `bottom` over the whole picture.
QImage verticalGradient(int width, int height, const QColor &top, const QColor &bottom);

// The Chinese face used for the words drawn into pictures.
QString pictureFontFamily();

// Draws a white cross (the close sign) or bar (the minimise sign) centred.
void drawCloseCross(QImage &image, const QColor &color = Qt::white);
void drawMinimiseBar(QImage &image, const QColor &color = Qt::white);
