#pragma once

#include <QImage>

// The images of the official forms the picture pages print over (Picture1 to Picture8): a scan the user placed in
// the data root's folder of form images, or else a guide sheet drawn from the page's own items.
namespace hz {

QImage pageImage(int picture);

} // namespace hz
