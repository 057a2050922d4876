#pragma once

#include <QColor>

// The colours every picture shares: night navy, olive drab and khaki, with two
// signal colours for the plus and minus badges.
namespace quorvel::pictures {

inline const QColor kNavy{0x1a, 0x27, 0x38};
inline const QColor kNavyLight{0x2c, 0x40, 0x5a};
inline const QColor kOlive{0x4e, 0x5b, 0x31};
inline const QColor kOliveDark{0x2e, 0x38, 0x1e};
inline const QColor kKhaki{0xcf, 0xbb, 0x85};
inline const QColor kKhakiDark{0xa6, 0x8f, 0x5a};
inline const QColor kKhakiLight{0xe8, 0xdc, 0xb5};
inline const QColor kCream{0xf1, 0xeb, 0xd8};
inline const QColor kInk{0x1c, 0x24, 0x30};
inline const QColor kSignalRed{0xa8, 0x34, 0x2b};
inline const QColor kSignalGreen{0x3f, 0x7a, 0x30};

} // namespace quorvel::pictures
