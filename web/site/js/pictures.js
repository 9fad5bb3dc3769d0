// Paints the pictures that the module describes as lists of shapes (the world's pictures, the
// buttons', the legend's) onto a canvas, as the desktop paints the same lists with Qt.

const css = ([red, green, blue]) => `rgb(${red}, ${green}, ${blue})`;

// A counter-clockwise quarter turn about the picture's centre as an exact matrix, so that a turned
// picture keeps its pixels on the grid.
const TURNS = [
  [1, 0, 0, 1],
  [0, -1, 1, 0],
  [-1, 0, 0, -1],
  [0, 1, -1, 0],
];

const radians = (degrees) => (degrees * Math.PI) / 180;

function tracePath(context, shape) {
  const centreX = shape.x + shape.width / 2;
  const centreY = shape.y + shape.height / 2;
  context.beginPath();
  switch (shape.type) {
    case 'ellipse':
      context.ellipse(centreX, centreY, shape.width / 2, shape.height / 2, 0, 0, 2 * Math.PI);
      break;
    case 'pie':
      // Angles count counter-clockwise from three o'clock; the canvas's y axis points down.
      context.moveTo(centreX, centreY);
      context.ellipse(centreX, centreY, shape.width / 2, shape.height / 2, 0, -radians(shape.start),
        -radians(shape.start + shape.span), true);
      context.closePath();
      break;
    default:
      shape.points.forEach(([x, y], i) => (i === 0 ? context.moveTo(x, y) : context.lineTo(x, y)));
      if (shape.type === 'polygon') context.closePath();
  }
}

// Paints a picture into the logical square at the context's origin.
export function paintPicture(context, picture) {
  context.save();
  const turn = TURNS[((picture.turns % 4) + 4) % 4];
  const centre = picture.size / 2;
  context.transform(turn[0], turn[1], turn[2], turn[3], centre - turn[0] * centre - turn[2] * centre,
    centre - turn[1] * centre - turn[3] * centre);
  for (const shape of picture.shapes) {
    const colour = css(shape.colour);
    if (shape.type === 'box') {
      context.fillStyle = colour;
      context.fillRect(shape.x, shape.y, shape.width, shape.height);
    } else if (shape.type === 'polyline') {
      tracePath(context, shape);
      context.strokeStyle = colour;
      context.lineWidth = shape.pen;
      context.lineCap = 'round';
      context.lineJoin = 'round';
      context.stroke();
    } else {
      tracePath(context, shape);
      context.fillStyle = colour;
      context.fill();
    }
  }
  context.restore();
}

// A canvas holding the picture for a pixel ratio, transparent where the picture has no paint.
export function renderPicture(picture, ratio) {
  const canvas = document.createElement('canvas');
  canvas.width = Math.round(picture.size * ratio);
  canvas.height = Math.round(picture.size * ratio);
  const context = canvas.getContext('2d');
  context.scale(canvas.width / picture.size, canvas.height / picture.size);
  paintPicture(context, picture);
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

export { css };
