#include "host/RecycledImages.h"

namespace vmhost {

std::unique_ptr<Image> RecycledImages::take(PF_PixelFormat format, A_long width, A_long height, A_long rowPadding) {
    // The newest first: its pages are the most likely to be in cache.
    for (auto it = images_.rbegin(); it != images_.rend(); ++it) {
        const Image& image = **it;
        if (image.format() == format && image.width() == width && image.height() == height &&
            image.rowPadding() == rowPadding) {
            std::unique_ptr<Image> taken = std::move(*it);
            images_.erase(std::next(it).base());
            return taken;
        }
    }
    return nullptr;
}

void RecycledImages::give(std::unique_ptr<Image> image) {
    if (capacity_ <= 0 || !image) return;
    images_.push_back(std::move(image));
    while (static_cast<int>(images_.size()) > capacity_) images_.pop_front();
}

}  // namespace vmhost
