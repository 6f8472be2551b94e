#include "metafile.h"

// Until the metafile reader exists, no .wmf file loads.
std::shared_ptr<const VectorPicture> loadMetafile(const QByteArray&)
{
    return nullptr;
}
