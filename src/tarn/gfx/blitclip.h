// The clipping every pixel copy goes through: a source rectangle in one surface and a
// destination in another cut down to what lies inside both surfaces, keeping them aligned.
#ifndef TARN_GFX_BLITCLIP_H
#define TARN_GFX_BLITCLIP_H

#include "tarn/gfx/crect.h"

namespace tarn {

// Copies min(src size, dst size) pixels from src.x, src.y to dst.x, dst.y. Cutting at a left
// or top edge of either surface moves both origins by the same amount. On return src and dst
// have the same size and lie inside srcBounds and dstBounds; false when nothing is left.
bool ClipBlit(const CRect& srcBounds, CRect& src, const CRect& dstBounds, CRect& dst);

}  // namespace tarn

#endif
