#include "learning/PictureList.h"

#include "knowledge/KnowledgeBase.h"

#include <QPixmapCache>

#ifdef QUILLMERE_HAS_PICTURES
// The pictures are an object file of their own; naming their initialiser here
// keeps the linker from dropping them out of the static library.
static void initPictureResources()
{
    Q_INIT_RESOURCE(pictures);
}
#else
static void initPictureResources() { }
#endif

PictureList::PictureList()
{
    static const bool initialised = [] {
        initPictureResources();
        return true;
    }();
    Q_UNUSED(initialised);
}

QPixmap PictureList::picture(int position) const
{
    const QString path = KnowledgeBase::picturePath(position);
    if (path.isEmpty())
        return {};
    QPixmap pixmap;
    if (!QPixmapCache::find(path, &pixmap)) {
        if (pixmap.load(path))
            QPixmapCache::insert(path, pixmap);
    }
    return pixmap;
}

int PictureList::count()
{
    return KnowledgeBase::PictureCount;
}
