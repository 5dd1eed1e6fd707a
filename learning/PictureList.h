#pragma once

#include <QPixmap>

// The main window's picture list `IMG`: the 99 sample pictures of
// handwriting, addressed by position from 1 (variation v at v + 1). Pictures
// are decoded only when first asked for.
class PictureList final
{
public:
    PictureList();

    // The picture at `position`, or a null pixmap when there is none.
    QPixmap picture(int position) const;
    // Every picture key that the program carries.
    static int count();
};
