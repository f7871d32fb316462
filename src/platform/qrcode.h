// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <vector>

// A QR code of `text` (a web address with the remote token, for a phone's camera), made with
// libqrencode at error correction level M: black modules on white, each `moduleSize` pixels
// square, with the quiet zone of four modules that readers need around it. A null image when
// the text is too long for a QR code (more than about 2 KB).
QImage qrCodeImage(const QByteArray& text, int moduleSize = 8);

// The modules of the QR code alone, row by row, true for dark; empty when the text does not
// fit. The side is the square root of the size.
std::vector<bool> qrCodeModules(const QByteArray& text, int* side);
