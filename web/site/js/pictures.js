// Paints the pictures that the module describes as lists of shapes (the world's pictures, the
// buttons', the legend's), as the desktop paints the same lists with Qt.
//
// The world's pictures are rasterised here rather than by the browser: the part of every pixel
// that a shape covers is computed exactly, and the colours are mixed with the same integer steps
// as Qt's raster engine, so that the world view shows the desktop's pixels at pixel ratio 1. The
// browser smooths round edges by approximations of its own, some steps of colour away.

export const css = ([red, green, blue]) => `rgb(${red}, ${green}, ${blue})`;

// x * a / 255 for bytes, rounded as Qt's raster engine rounds it.
const byteMul = (x, a) => {
  const t = x * a;
  return (t + (t >> 8) + 0x80) >> 8;
};

// Round shapes are traced as Qt traces them: the ellipse in quarters of cubic Bézier curves, a
// pie's arc split where it crosses a quarter, each curve halved until its control points lie close
// enough to its chord (a quarter of a pixel by Qt's measure); the resulting polygon is then covered
// exactly. So the edges fall where the desktop's fall, to a step of colour or two.
const KAPPA = 0.5522847498;
const FLATNESS = 0.25;

const point = (curve, t) => {
  const u = 1 - t;
  const at = (i) => u * u * u * curve[0][i] + 3 * u * u * t * curve[1][i] + 3 * u * t * t * curve[2][i] + t * t * t * curve[3][i];
  return [at(0), at(1)];
};

// The two halves of a curve, split at t.
function split(curve, t) {
  const mix = (p, q) => [p[0] + (q[0] - p[0]) * t, p[1] + (q[1] - p[1]) * t];
  const [p0, p1, p2, p3] = curve;
  const a = mix(p0, p1);
  const b = mix(p1, p2);
  const c = mix(p2, p3);
  const d = mix(a, b);
  const e = mix(b, c);
  const f = mix(d, e);
  return [[p0, a, d, f], [f, e, c, p3]];
}

// The quarter of an ellipse from 90 * q degrees counter-clockwise to the next quarter (y down).
function quarter(centreX, centreY, radiusX, radiusY, q) {
  const corner = (k) => {
    const angle = (((q + k) % 4) * Math.PI) / 2;
    return [Math.round(Math.cos(angle)), Math.round(Math.sin(angle))];
  };
  const [c0, s0] = corner(0);
  const [c1, s1] = corner(1);
  const start = [centreX + radiusX * c0, centreY - radiusY * s0];
  const end = [centreX + radiusX * c1, centreY - radiusY * s1];
  return [start, [start[0] - KAPPA * radiusX * s0, start[1] - KAPPA * radiusY * c0],
    [end[0] + KAPPA * radiusX * s1, end[1] + KAPPA * radiusY * c1], end];
}

// Where on a quarter's curve an angle within it lies.
function tForAngle(curve, centreX, centreY, radians) {
  let low = 0;
  let high = 1;
  const from = Math.atan2(-(curve[0][1] - centreY), curve[0][0] - centreX);
  for (let i = 0; i < 50; ++i) {
    const middle = (low + high) / 2;
    const [x, y] = point(curve, middle);
    const turned = (Math.atan2(-(y - centreY), x - centreX) - from + 4 * Math.PI) % (2 * Math.PI);
    if (turned < radians) low = middle;
    else high = middle;
  }
  return (low + high) / 2;
}

// Adds the curve's polygon without its first point.
function flatten(curve, polygon) {
  const stack = [curve];
  while (stack.length > 0) {
    const [[x1, y1], [x2, y2], [x3, y3], [x4, y4]] = stack[stack.length - 1];
    const dx = x4 - x1;
    const dy = y4 - y1;
    let length = Math.abs(dx) + Math.abs(dy);
    let distance;
    if (length > 1) {
      distance = Math.abs(dx * (y1 - y2) - dy * (x1 - x2)) + Math.abs(dx * (y1 - y3) - dy * (x1 - x3));
    } else {
      distance = Math.abs(x1 - x2) + Math.abs(y1 - y2) + Math.abs(x1 - x3) + Math.abs(y1 - y3);
      length = 1;
    }
    if (distance < FLATNESS * length || stack.length >= 32) {
      polygon.push([x4, y4]);
      stack.pop();
    } else {
      const [first, second] = split(stack.pop(), 0.5);
      stack.push(second, first);
    }
  }
}

// The outline of a shape as a polygon, in pixels of the given scale.
function outline(shape, scale) {
  const x = shape.x * scale;
  const y = shape.y * scale;
  const width = shape.width * scale;
  const height = shape.height * scale;
  if (shape.type === 'box') return [[x, y], [x + width, y], [x + width, y + height], [x, y + height]];
  const centreX = x + width / 2;
  const centreY = y + height / 2;
  const quarterOf = (q) => quarter(centreX, centreY, width / 2, height / 2, q);
  if (shape.type === 'ellipse') {
    const polygon = [quarterOf(0)[0]];
    for (let q = 0; q < 4; ++q) flatten(quarterOf(q), polygon);
    return polygon;
  }
  // A pie: from the centre along the arc, counter-clockwise, and back.
  const polygon = [[centreX, centreY]];
  const end = shape.start + shape.span;
  for (let angle = shape.start; angle < end - 1e-9;) {
    const q = Math.floor(angle / 90);
    const stop = Math.min(end, 90 * (q + 1));
    let curve = quarterOf(q % 4);
    const from = angle - 90 * q;
    const to = stop - 90 * q;
    if (to < 90) curve = split(curve, tForAngle(curve, centreX, centreY, (to * Math.PI) / 180))[0];
    if (from > 0) {
      const whole = quarterOf(q % 4);
      const t = tForAngle(whole, centreX, centreY, (from * Math.PI) / 180);
      const t1 = to < 90 ? tForAngle(whole, centreX, centreY, (to * Math.PI) / 180) : 1;
      curve = split(split(whole, t)[1], (t1 - t) / (1 - t))[0];
    }
    if (polygon.length === 1) polygon.push(curve[0]);
    flatten(curve, polygon);
    angle = stop;
  }
  return polygon;
}

const rasterisable = (shape) => ['box', 'ellipse', 'pie'].includes(shape.type);

// The part of each pixel of a size x size grid that the polygon covers (by the even-odd rule):
// exact along each line, summed over 32 lines per pixel.
function coverage(polygon, size) {
  const strips = 32;
  const grid = new Float64Array(size * size);
  const count = polygon.length;
  const crossings = new Float64Array(count);
  for (let row = 0; row < size; ++row) {
    for (let k = 0; k < strips; ++k) {
      const y = row + (k + 0.5) / strips;
      let found = 0;
      for (let i = 0; i < count; ++i) {
        const [x1, y1] = polygon[i];
        const [x2, y2] = polygon[i + 1 < count ? i + 1 : 0];
        if ((y1 <= y && y < y2) || (y2 <= y && y < y1)) crossings[found++] = x1 + ((y - y1) * (x2 - x1)) / (y2 - y1);
      }
      const sorted = crossings.subarray(0, found).sort();
      for (let i = 0; i + 1 < found; i += 2) {
        const left = sorted[i];
        const right = sorted[i + 1];
        const last = Math.min(size, Math.ceil(right));
        for (let column = Math.max(0, Math.floor(left)); column < last; ++column)
          grid[row * size + column] += (Math.min(right, column + 1) - Math.max(left, column)) / strips;
      }
    }
  }
  return grid;
}

// The grid turned counter-clockwise by quarter turns about its centre.
function turned(grid, size, turns) {
  let out = grid;
  for (let t = 0; t < ((turns % 4) + 4) % 4; ++t) {
    const next = new Float64Array(size * size);
    for (let row = 0; row < size; ++row)
      for (let column = 0; column < size; ++column) next[(size - 1 - column) * size + row] = out[row * size + column];
    out = next;
  }
  return out;
}

// A picture's premultiplied RGBA bytes at a pixel ratio, or null for a picture of other shapes.
export function rasterPicture(picture, ratio) {
  if (!picture.shapes.every(rasterisable)) return null;
  const size = Math.round(picture.size * ratio);
  const scale = size / picture.size;
  const pixels = new Uint8Array(size * size * 4);
  for (const shape of picture.shapes) {
    const grid = turned(coverage(outline(shape, scale), size), size, picture.turns);
    const colour = [...shape.colour, 255];
    for (let i = 0; i < size * size; ++i) {
      // A smooth edge covers as many 256ths as its area, at most 255; a sharp one all or nothing.
      const cover = shape.smooth ? Math.min(255, Math.floor(grid[i] * 256)) : grid[i] >= 0.5 ? 255 : 0;
      if (cover === 0) continue;
      const source = colour.map((c) => byteMul(c, cover));
      const keep = 255 - source[3];
      for (let c = 0; c < 4; ++c) pixels[i * 4 + c] = source[c] + byteMul(pixels[i * 4 + c], keep);
    }
  }
  return { size, pixels };
}

// Lays premultiplied picture bytes over opaque RGBA pixels, as Qt lays a picture over the surface.
export function layOver(target, picture) {
  const { pixels } = picture;
  for (let i = 0; i < pixels.length; i += 4) {
    const keep = 255 - pixels[i + 3];
    for (let c = 0; c < 3; ++c) target[i + c] = pixels[i + c] + byteMul(target[i + c], keep);
  }
}

// Angles count counter-clockwise from three o'clock; the canvas's y axis points down.
const radians = (degrees) => (degrees * Math.PI) / 180;

// A counter-clockwise quarter turn about the picture's centre as an exact matrix.
const TURNS = [
  [1, 0, 0, 1],
  [0, -1, 1, 0],
  [-1, 0, 0, -1],
  [0, 1, -1, 0],
];

// Paints a picture with the canvas's own drawing, into the logical square at the origin: for the
// shapes the rasteriser above does not take (the buttons' triangles and tick).
function paintPicture(context, picture) {
  context.save();
  const turn = TURNS[((picture.turns % 4) + 4) % 4];
  const centre = picture.size / 2;
  context.transform(turn[0], turn[1], turn[2], turn[3], centre - turn[0] * centre - turn[2] * centre,
    centre - turn[1] * centre - turn[3] * centre);
  for (const shape of picture.shapes) {
    const centreX = shape.x + shape.width / 2;
    const centreY = shape.y + shape.height / 2;
    context.fillStyle = css(shape.colour);
    context.strokeStyle = css(shape.colour);
    context.beginPath();
    switch (shape.type) {
      case 'box':
        context.rect(shape.x, shape.y, shape.width, shape.height);
        break;
      case 'ellipse':
        context.ellipse(centreX, centreY, shape.width / 2, shape.height / 2, 0, 0, 2 * Math.PI);
        break;
      case 'pie':
        context.moveTo(centreX, centreY);
        context.ellipse(centreX, centreY, shape.width / 2, shape.height / 2, 0, -radians(shape.start),
          -radians(shape.start + shape.span), true);
        context.closePath();
        break;
      default:
        shape.points.forEach(([x, y], i) => (i === 0 ? context.moveTo(x, y) : context.lineTo(x, y)));
        if (shape.type === 'polygon') context.closePath();
    }
    if (shape.type === 'polyline') {
      context.lineWidth = shape.pen;
      context.lineCap = 'round';
      context.lineJoin = 'round';
      context.stroke();
    } else {
      context.fill();
    }
  }
  context.restore();
}

// A canvas holding the picture for a pixel ratio, transparent where the picture has no paint.
export function renderPicture(picture, ratio) {
  const canvas = document.createElement('canvas');
  const raster = rasterPicture(picture, ratio);
  canvas.width = raster ? raster.size : Math.round(picture.size * ratio);
  canvas.height = canvas.width;
  const context = canvas.getContext('2d');
  if (!raster) {
    context.scale(canvas.width / picture.size, canvas.height / picture.size);
    paintPicture(context, picture);
    return canvas;
  }
  const image = context.createImageData(raster.size, raster.size);
  for (let i = 0; i < raster.pixels.length; i += 4) {
    const alpha = raster.pixels[i + 3];
    for (let c = 0; c < 3; ++c) image.data[i + c] = alpha ? Math.round((raster.pixels[i + c] * 255) / alpha) : 0;
    image.data[i + 3] = alpha;
  }
  context.putImageData(image, 0, 0);
  return canvas;
}

// A canvas element that shows a picture at its logical size, sharp at the screen's pixel ratio,
// over a ground colour if one is given.
export function pictureElement(picture, ground) {
  const ratio = window.devicePixelRatio || 1;
  const canvas = document.createElement('canvas');
  canvas.width = Math.round(picture.size * ratio);
  canvas.height = Math.round(picture.size * ratio);
  canvas.style.width = `${picture.size}px`;
  canvas.style.height = `${picture.size}px`;
  const context = canvas.getContext('2d');
  if (ground) {
    context.fillStyle = css(ground);
    context.fillRect(0, 0, canvas.width, canvas.height);
  }
  context.drawImage(renderPicture(picture, ratio), 0, 0);
  return canvas;
}
