// Colour strings as the system parses them: "#RRGGBB:alpha", the alpha a decimal fraction.
export function parseColourString(text) {
  const match = /^#([0-9a-fA-F]{6})(?::([0-9.]+))?$/.exec(String(text));
  if (!match) return null;
  const alpha = match[2] === undefined ? 1 : Number(match[2]);
  return { hex: '#' + match[1].toUpperCase(), alpha: Number.isFinite(alpha) ? Math.min(1, Math.max(0, alpha)) : 1 };
}

export function formatColourString(hex, alpha) {
  return hex.toUpperCase() + ':' + Number(alpha).toFixed(6);
}
