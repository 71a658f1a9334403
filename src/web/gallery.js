// The Gallery view: every template of the selector drawn small with the form as it stands. A click
// on a drawing chooses its template and goes back to the preview.
'use strict';

// Each block of galleryShrink x galleryShrink pixels of a picture is drawn as one pixel, a grey
// between ink and paper.
const galleryShrink = 3;

const galleryShown = () => !document.getElementById('Gallery').hidden;

// The drawing of the named template: a canvas, or a note when the template cannot be drawn.
function galleryDrawing(name) {
  const result = withText([name], (p) => core._quenbyGalleryDraw(p, galleryShrink));
  if (result === -1) {
    const note = document.createElement('span');
    note.className = 'gallery-note';
    note.textContent = 'This template cannot be drawn.';
    return note;
  }
  const canvas = document.createElement('canvas');
  canvas.width = core._quenbyGalleryWidth();
  canvas.height = core._quenbyGalleryHeight();
  const context = canvas.getContext('2d');
  const image = context.createImageData(canvas.width, canvas.height);
  const pointer = core._quenbyGalleryPixels();
  const inked = core.HEAPU8.subarray(pointer, pointer + canvas.width * canvas.height);
  const {ink, paper} = colours();
  const cell = galleryShrink * galleryShrink;
  for (let i = 0; i < inked.length; ++i) {
    const grey = Math.round(paper + (ink - paper) * inked[i] / cell);
    image.data[4 * i] = image.data[4 * i + 1] = image.data[4 * i + 2] = grey;
    image.data[4 * i + 3] = 255;
  }
  context.putImageData(image, 0, 0);
  return canvas;
}

function drawGallery() {
  const gallery = document.getElementById('Gallery');
  const selector = document.getElementById('TemplateSelector');
  gallery.textContent = '';
  for (const {value: name} of selector.options) {
    const item = document.createElement('button');
    item.type = 'button';
    item.className = 'gallery-item';
    item.dataset.template = name;
    item.setAttribute('aria-pressed', name === selector.value);
    const caption = document.createElement('span');
    caption.textContent = name;
    item.append(galleryDrawing(name), caption);
    item.addEventListener('click', () => {
      showGallery(false);
      chooseTemplate(name);
    });
    gallery.append(item);
  }
}

function showGallery(shown) {
  document.getElementById('Gallery').hidden = !shown;
  document.getElementById('Preview').hidden = shown;
  document.getElementById('GalleryButton').setAttribute('aria-pressed', shown);
  if (shown) drawGallery();
  else drawPreview();
}

// After every change of the form or the colours, while the gallery is shown.
function refreshGallery() {
  if (galleryShown()) drawGallery();
}

function connectGallery() {
  document.getElementById('GalleryButton').addEventListener('click', () => showGallery(!galleryShown()));
}
