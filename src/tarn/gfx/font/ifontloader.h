// The interface of font loaders: each fills a font from one kind of source.
#ifndef TARN_GFX_FONT_IFONTLOADER_H
#define TARN_GFX_FONT_IFONTLOADER_H

#include <string>

namespace tarn {

class CFont;

class IFontLoader {
public:
    virtual ~IFontLoader() = default;
    // The loader's name: "ogf" or "system".
    virtual std::string GetName() const = 0;
    // Fills font from filename. On failure the reason is logged and font is left as it was.
    virtual void Load(CFont* font, const std::string& filename) = 0;
};

}  // namespace tarn

#endif
