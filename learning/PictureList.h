#pragma once

#include <QPixmap>

// The main window's picture list `IMG`: the 99 sample pictures of
// handwriting, addressed by position from 1 (variation v at v + 1). Each is
// drawn for screens of scale 1, 2 and 3 ("@2x", "@3x"); pictures are decoded
// only when first asked for.
class PictureList final
{
public:
    PictureList();

    // The picture at `position`, or a null pixmap when there is none. `scale`
    // is how many screen pixels each pixel of the scale-1 picture will cover
    // (the window's device pixel ratio, times any enlargement): the drawing
    // with at least that many pixels is chosen, up to scale 3, and carries
    // its scale as its device pixel ratio, so that it shows at the size of
    // the scale-1 picture.
    QPixmap picture(int position, qreal scale = 1.0) const;
    // The drawing `picture` chooses for `scale`: 1, 2 or 3.
    static int drawingFor(qreal scale);
    // The size of a scale-1 picture.
    static constexpr QSize Size { 118, 131 };
    // Every picture key that the program carries.
    static int count();
};
