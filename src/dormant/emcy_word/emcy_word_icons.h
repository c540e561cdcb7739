#pragma once

#include <array>

#include <QPixmap>

namespace telvanor {

// The images of the EMCY word tree, drawn rather than loaded: 0 a word node, 1 a selected word
// node, 2 a bit node, 3 a selected bit node.
std::array<QPixmap, 4> emcyWordImages();

}  // namespace telvanor
