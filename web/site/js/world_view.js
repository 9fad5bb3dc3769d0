// The world view: a canvas of 24 x 20 cells with silver grid lines, on which the module draws
// single cells (the path colour, the wall, food, the figure) exactly where and when the desktop's
// world view draws them. Presses of the mouse go to the module with the point in the view's pixels.
import { css, layOver, rasterPicture } from './pictures.js';

export class WorldView {
  constructor(layout, onPress) {
    const { cell, pictures } = layout;
    this.cell = cell;
    this.pictures = pictures;
    this.width = cell.columns * cell.pitch;
    this.height = cell.rows * cell.pitch;
    this.element = document.createElement('canvas');
    this.element.className = 'world-view';
    this.element.tabIndex = 0;
    // Keys go to the page as they are pressed here: the keys N, G, V and D steer Nibbo.
    this.element.setAttribute('role', 'application');
    this.element.setAttribute('aria-label', layout.names.worldView);
    this.element.style.width = `${this.width}px`;
    this.element.style.height = `${this.height}px`;
    this.enabled = true;
    this.prepare();

    this.element.addEventListener('mousedown', (event) => {
      event.preventDefault();
      this.element.focus();
      if (!this.enabled) return;
      const box = this.element.getBoundingClientRect();
      const x = Math.floor(((event.clientX - box.left) * this.width) / box.width);
      const y = Math.floor(((event.clientY - box.top) * this.height) / box.height);
      onPress(event, x, y);
    });
    this.element.addEventListener('contextmenu', (event) => event.preventDefault());
  }

  // The canvas and the pictures for the screen's pixel ratio: grid lines and empty cells, until the
  // module paints the world.
  prepare() {
    this.ratio = window.devicePixelRatio || 1;
    this.element.width = Math.round(this.width * this.ratio);
    this.element.height = Math.round(this.height * this.ratio);
    // The pictures are laid over the cells' pixels here, which are read back for it.
    this.context = this.element.getContext('2d', { willReadFrequently: true });
    this.context.setTransform(this.ratio, 0, 0, this.ratio, 0, 0);
    const render = (picture) => rasterPicture(picture, this.ratio);
    this.wall = render(this.pictures.wall);
    this.food = this.pictures.food.map(render);
    this.figure = this.pictures.figure.map(render);
    this.context.fillStyle = css(this.pictures.grid);
    this.context.fillRect(0, 0, this.width, this.height);
    for (let column = 1; column <= this.cell.columns; ++column)
      for (let row = 1; row <= this.cell.rows; ++row) this.fillPath(column, row);
  }

  inGrid(column, row) {
    return column >= 1 && column <= this.cell.columns && row >= 1 && row <= this.cell.rows;
  }

  left(column) {
    return (column - 1) * this.cell.pitch;
  }

  top(row) {
    return (row - 1) * this.cell.pitch;
  }

  fillPath(column, row) {
    if (!this.inGrid(column, row)) return;
    this.context.fillStyle = css(this.pictures.path);
    this.context.fillRect(this.left(column), this.top(row), this.cell.size, this.cell.size);
  }

  // A picture laid over what the cell shows, transparent where the picture has no paint.
  draw(picture, column, row) {
    if (!picture || !this.inGrid(column, row)) return;
    const x = Math.round(this.left(column) * this.ratio);
    const y = Math.round(this.top(row) * this.ratio);
    const cell = this.context.getImageData(x, y, picture.size, picture.size);
    layOver(cell.data, picture);
    this.context.putImageData(cell, x, y);
  }

  drawWall(column, row) {
    this.draw(this.wall, column, row);
  }

  drawFood(column, row, portions) {
    this.draw(this.food[portions - 1], column, row);
  }

  drawFigure(column, row, image) {
    this.draw(this.figure[image], column, row);
  }

  setEnabled(enabled) {
    this.enabled = enabled;
    this.element.setAttribute('aria-disabled', String(!enabled));
  }
}
