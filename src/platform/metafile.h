// The seam between the picture loader and the Windows metafile reader.
#pragma once

#include "pictures.h"

#include <QByteArray>
#include <memory>

// Parses a placeable or plain Windows metafile; nullptr when it is not one.
std::shared_ptr<const VectorPicture> loadMetafile(const QByteArray& bytes);
