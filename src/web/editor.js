// The template editor beside the preview. The text box holds the template as characters; every
// edit goes to the core, which turns it into CP437 bytes with CR LF, loads it as the current
// template and checks it with the command line's checker. This script shows what comes back: the
// preview (rendered as for any template), the problems with their lines, the marks in the text.
'use strict';

const editorKey = 'quenby.editor';
const editor = {open: false, unsaved: false, timer: 0, checkTimer: 0, problems: [], unmapped: [], guide: null};

// Every edit: the text to the core as the current template, and the preview again; the checker
// runs when typing pauses a little longer, since it renders the template twice over.
function applyEdit() {
  clearTimeout(editor.timer);
  const result = JSON.parse(withText([$('EditorText').value, $('EditorName').value || 'Untitled'],
    (t, n) => text(core._quenbyEditorSetText(t, n))));
  if (result.memory) showStatus('Out of memory', true);
  editor.unmapped = result.unmapped || [];
  render();
  window.quenbyEditorShown = performance.now();
  keepEditor();
  clearTimeout(editor.checkTimer);
  $('EditorProblems').setAttribute('aria-busy', 'true');
  editor.checkTimer = setTimeout(checkEdit, 150);
}

function checkEdit() {
  clearTimeout(editor.checkTimer);
  $('EditorProblems').setAttribute('aria-busy', 'false');
  if (!editor.open) return;
  const result = JSON.parse(text(core._quenbyEditorCheck()));
  if (result.memory) showStatus('Out of memory', true);
  editor.problems = result.problems || [];
  editorRendered();
}

function editorTyped() {
  editor.unsaved = true;
  clearTimeout(editor.timer);
  editor.timer = setTimeout(applyEdit, 20);
}

// Called after every rendering: marks the failure's line and lists the problems.
function editorRendered() {
  if (!editor.open) return;
  const failure = core._quenbyFailureLine();
  listProblems(failure);
  drawMarks(failure);
  updateSaveTemplate();
}

const editorBlocksOutput = () => editor.open && editor.unmapped.length > 0;

function listProblems(failure) {
  const list = $('EditorProblems');
  list.textContent = '';
  const add = (line, column, words, className) => {
    const item = document.createElement('li');
    item.className = className;
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = line ? `Line ${line}${column ? ', column ' + column : ''}: ${words}` : words;
    button.addEventListener('click', () => (line ? caretTo(line, column) : $('EditorName').focus()));
    item.append(button);
    list.append(item);
  };
  const named = nameProblem();
  if (named !== '') add(0, 0, named, 'fault');
  for (const p of editor.problems) {
    add(p.line, p.column, (p.warning ? 'warning: ' : '') + p.message, p.warning ? 'warning' : 'fault');
  }
  for (const u of editor.unmapped) {
    add(u.line, u.column, `${u.character} (${u.name}) has no CP437 character`, 'unmapped');
  }
  if (failure && !editor.problems.some((p) => p.line === failure && !p.warning)) {
    add(failure, 0, 'the preview fails here with the form as it stands', 'fault');
  }
}

// Where line (from 1) starts in the text box, and column (characters, from 1) in it.
function offsetOf(line, column) {
  const lines = $('EditorText').value.split('\n');
  let offset = 0;
  for (let i = 0; i < Math.min(line, lines.length) - 1; ++i) offset += lines[i].length + 1;
  const chars = Array.from(lines[Math.min(line, lines.length) - 1] || '');
  return offset + chars.slice(0, Math.max(0, column - 1)).join('').length;
}

function caretTo(line, column) {
  const box = $('EditorText');
  const at = offsetOf(line, column);
  box.focus();
  box.setSelectionRange(at, at);
  const lineHeight = parseFloat(getComputedStyle(box).lineHeight);
  box.scrollTop = Math.max(0, (line - 3) * lineHeight);
}

// The marks behind the text box: the failure's line, the faults' lines, the unmapped characters.
// A marked line holds its text, so that a mark stands under its character; the others are empty.
function drawMarks(failure) {
  const lines = $('EditorText').value.split('\n');
  const faults = new Set(editor.problems.filter((p) => !p.warning).map((p) => p.line));
  const unmapped = new Map();
  for (const u of editor.unmapped) unmapped.set(u.line, [...(unmapped.get(u.line) || []), u.column]);
  const inner = document.createElement('div');
  let plain = '';
  const flush = () => {
    if (plain) inner.append(plain);
    plain = '';
  };
  lines.forEach((line, index) => {
    const number = index + 1;
    if (number !== failure && !faults.has(number) && !unmapped.has(number)) {
      plain += '\n';  // only the line's height matters
      return;
    }
    flush();
    const row = document.createElement('div');
    row.className = number === failure ? 'failure' : faults.has(number) ? 'fault' : '';
    const columns = unmapped.get(number) || [];
    Array.from(line).forEach((ch, i) => {
      if (columns.includes(i + 1)) {
        const mark = document.createElement('mark');
        mark.textContent = ch;
        row.append(mark);
      } else {
        row.append(ch);
      }
    });
    row.append('\n');
    if (number === failure) row.dataset.failure = 'true';
    inner.append(row);
  });
  flush();
  inner.append('\n');
  $('EditorMarks').replaceChildren(inner);
  requestAnimationFrame(followScroll);
}

function followScroll() {
  const box = $('EditorText');
  const marks = $('EditorMarks');
  if (marks.firstChild) marks.firstChild.style.width = box.scrollWidth + 'px';
  marks.scrollTop = box.scrollTop;
  marks.scrollLeft = box.scrollLeft;
}

function nameProblem() {
  return withText([$('EditorName').value], (n) => text(core._quenbyEditorNameProblem(n)));
}

function updateSaveTemplate() {
  const problem = nameProblem();
  $('EditorName').classList.toggle('problem', problem !== '');
  $('SaveTemplate').disabled = problem !== '' || editor.unmapped.length > 0;
}

function keepEditor() {
  const kept = editor.open
    ? {open: true, name: $('EditorName').value, text: $('EditorText').value, unsaved: editor.unsaved}
    : {open: false};
  try {
    localStorage.setItem(editorKey, JSON.stringify(kept));
  } catch (error) {
    showStatus('The browser has no room to keep the template being edited: save it.', true);
  }
}

// Opens the editor on text under name; whatever it held before is let go first.
function openEditor(name, contents, unsaved) {
  editor.open = true;
  editor.unsaved = unsaved;
  editor.problems = [];
  $('Editor').hidden = false;
  $('TemplateSelector').disabled = true;
  $('EditorName').value = name;
  $('EditorText').value = contents;
  $('EditorText').scrollTop = 0;
  applyEdit();
}

// True when the editor is closed or the user lets its unsaved changes go.
function editorLetsGo() {
  if (!editor.open) return true;
  if (editor.unsaved && !confirm(`Discard the changes to ${$('EditorName').value}?`)) return false;
  editor.open = false;
  $('Editor').hidden = true;
  $('InsertMenu').hidden = true;
  $('TemplateSelector').disabled = false;
  editor.unmapped = [];
  keepEditor();
  return true;
}

function editTemplate() {
  if (!editorLetsGo()) return;
  const chosen = $('TemplateSelector').value;
  const problem = withText([chosen], (p) => text(core._quenbyChooseTemplate(p)));
  if (problem !== '') {
    showStatus('Error loading template...\n' + problem, true);
    render();
    return;
  }
  const name = withText([chosen], (p) => text(core._quenbyEditorName(p)));
  openEditor(name, text(core._quenbyEditorText()), false);
  showStatus(name === chosen ? `Editing ${name}.` : `Editing ${name}, a copy of ${chosen}.`, false);
}

function newTemplate() {
  if (!editorLetsGo()) return;
  openEditor('New template', text(core._quenbyEditorStarter()), false);
  showStatus('Editing a new template.', false);
}

function closeEditor() {
  if (editorLetsGo()) chooseTemplate($('TemplateSelector').value);
}

function saveTemplate() {
  applyEdit();
  if ($('SaveTemplate').disabled) return;
  const pointer = core._quenbyEditorBytes();
  download(new Blob([core.HEAPU8.slice(pointer, pointer + core._quenbyEditorSize())]),
    $('EditorName').value + '.ntf');
  editor.unsaved = false;
  keepEditor();
}

// Puts words at the caret as typing does, so that undo takes them back.
function insertAtCaret(words) {
  const box = $('EditorText');
  box.focus();
  if (!document.execCommand('insertText', false, words)) {
    box.setRangeText(words, box.selectionStart, box.selectionEnd, 'end');
    box.dispatchEvent(new Event('input'));
  }
}

// A directive goes on a line of its own above the caret's line, which it then governs.
function insertDirective(example) {
  const box = $('EditorText');
  const start = box.value.lastIndexOf('\n', box.selectionStart - 1) + 1;
  box.focus();
  box.setSelectionRange(start, start);
  insertAtCaret(example + '\n');
}

function buildInsertMenu() {
  const menu = $('InsertMenu');
  const heading = (words) => {
    const h = document.createElement('h2');
    h.textContent = words;
    menu.append(h);
  };
  heading('Shade, block and box-drawing characters');
  const characters = document.createElement('div');
  characters.className = 'characters';
  for (const ch of editor.guide.characters) {
    const item = document.createElement('button');
    item.type = 'button';
    item.role = 'menuitem';
    item.textContent = ch;
    item.dataset.insert = ch;
    item.addEventListener('click', () => {
      menu.hidden = true;
      insertAtCaret(ch);
    });
    characters.append(item);
  }
  menu.append(characters);
  heading('Directives. LINES: how many lines after it the directive governs; TARGET: which of ' +
    'them gets the text (0 is the next line); COLUMN: 0 to 78, or -1 to centre');
  for (const d of editor.guide.directives) {
    const item = document.createElement('button');
    item.type = 'button';
    item.role = 'menuitem';
    item.className = 'directive';
    item.dataset.insert = d.example;
    const code = document.createElement('code');
    code.textContent = `#${d.keyword} ${d.parameters}`;
    item.append(code, ' ', d.meaning);
    item.addEventListener('click', () => {
      menu.hidden = true;
      insertDirective(d.example);
    });
    menu.append(item);
  }
}

function toggleInsertMenu() {
  const menu = $('InsertMenu');
  menu.hidden = !menu.hidden;
  $('InsertButton').setAttribute('aria-expanded', String(!menu.hidden));
}

function connectEditor() {
  editor.guide = JSON.parse(text(core._quenbyEditorGuide()));
  buildInsertMenu();
  $('EditTemplate').addEventListener('click', editTemplate);
  $('NewTemplate').addEventListener('click', newTemplate);
  $('CloseEditor').addEventListener('click', closeEditor);
  $('SaveTemplate').addEventListener('click', saveTemplate);
  $('InsertButton').addEventListener('click', toggleInsertMenu);
  $('EditorText').addEventListener('input', editorTyped);
  $('EditorText').addEventListener('scroll', followScroll);
  $('EditorName').addEventListener('input', () => {
    editor.unsaved = true;
    editorTyped();
  });
  document.addEventListener('keydown', (event) => {
    if (event.key === 'Escape') $('InsertMenu').hidden = true;
  });
  document.addEventListener('click', (event) => {
    if (!$('InsertMenu').contains(event.target) && event.target !== $('InsertButton')) $('InsertMenu').hidden = true;
  });
}

// After a reload: the template that was being edited, as it was left.
function restoreEditor() {
  let kept = null;
  try { kept = JSON.parse(localStorage.getItem(editorKey)); } catch (error) { kept = null; }
  if (!kept || kept.open !== true || typeof kept.text !== 'string' || typeof kept.name !== 'string') return;
  openEditor(kept.name, kept.text, kept.unsaved === true);
}
