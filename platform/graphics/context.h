#pragma once
// Bitmap drawing contexts: UIKit's per-process image-context stack and the CoreGraphics calls that draw into
// a context. Coordinates are points, origin top left, y down, as in UIKit. Every call taking a null context
// does nothing.
#include "platform/graphics/blend_mode.h"
#include "platform/graphics/color.h"
#include "platform/graphics/geometry.h"
#include "platform/graphics/image.h"

struct CGContext;

namespace platform {

class Process;

using CGContextRef = ::CGContext*;

// Pushes a new transparent (or, when opaque, black) bitmap context of size x scale pixels. A scale of 0 (or
// anything not positive and finite) means the device's screen scale. Sizes that are not positive and finite
// give an empty context; each side is capped at kMaxImageSide pixels, and a context above kMaxImagePixels
// is empty.
void UIGraphicsBeginImageContextWithOptions(Process& process, CGSize size, bool opaque, CGFloat scale);
void UIGraphicsBeginImageContext(Process& process, CGSize size);
// The innermost context, or nullptr.
CGContextRef UIGraphicsGetCurrentContext(Process& process);
// The current context's pixels as an image with the context's scale; nil without a context.
UIImagePtr UIGraphicsGetImageFromCurrentImageContext(Process& process);
void UIGraphicsEndImageContext(Process& process);

void CGContextSaveGState(CGContextRef ctx);
void CGContextRestoreGState(CGContextRef ctx);
void CGContextTranslateCTM(CGContextRef ctx, CGFloat tx, CGFloat ty);
// A scale by zero or by a non-finite factor would make the context unusable: it is ignored.
void CGContextScaleCTM(CGContextRef ctx, CGFloat sx, CGFloat sy);
void CGContextRotateCTM(CGContextRef ctx, CGFloat angle);
void CGContextConcatCTM(CGContextRef ctx, const CGAffineTransform& transform);
CGAffineTransform CGContextGetCTM(CGContextRef ctx);

void CGContextSetFillColorWithColor(CGContextRef ctx, const CGColorRef& color);
void CGContextSetStrokeColorWithColor(CGContextRef ctx, const CGColorRef& color);
void CGContextSetLineWidth(CGContextRef ctx, CGFloat width);
// Modes cairo has no counterpart for draw as normal.
void CGContextSetBlendMode(CGContextRef ctx, CGBlendMode mode);
void CGContextSetAlpha(CGContextRef ctx, CGFloat alpha);

// Blend modes apply within the drawn shape only, as in CoreGraphics.
void CGContextFillRect(CGContextRef ctx, CGRect rect);
void CGContextFillEllipseInRect(CGContextRef ctx, CGRect rect);
void CGContextStrokeRect(CGContextRef ctx, CGRect rect);
void CGContextClearRect(CGContextRef ctx, CGRect rect);
void CGContextClipToRect(CGContextRef ctx, CGRect rect);
// In CoreGraphics' y-up convention: in a UIKit context with an unflipped CTM the image lands upside down,
// which is why callers translate by the height and scale y by -1 first.
void CGContextDrawImage(CGContextRef ctx, CGRect rect, const CGImageRef& image);

// The context's size in points and its scale.
CGSize CGContextGetSize(CGContextRef ctx);
CGFloat CGContextGetScale(CGContextRef ctx);

}  // namespace platform
