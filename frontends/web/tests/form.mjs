// The window's description read from frontends/model/form.hpp itself, so that the browser tests check
// the page against the tables the windows are built from, not against the page's own generator.
import { readFileSync } from 'node:fs';
import { join } from 'node:path';

import { root } from './korva_module.mjs';

const source = readFileSync(join(root, 'frontends', 'model', 'form.hpp'), 'utf8');

// A C++ string literal's text, its adjacent pieces joined.
function literal(name) {
  const match = source.match(new RegExp(`${name}\\s*=\\s*((?:\\s*"(?:[^"\\\\]|\\\\.)*")+);`));
  if (!match) throw new Error(`${name} not found in form.hpp`);
  return [...match[1].matchAll(/"((?:[^"\\]|\\.)*)"/g)].map((m) => m[1])
    .join('').replace(/\\r/g, '\r').replace(/\\n/g, '\n').replace(/\\"/g, '"');
}

function numbers(name) {
  return source.match(new RegExp(`${name}\\{(\\d+), (\\d+)\\}`)).slice(1).map(Number);
}

export const caption = literal('kCaption');
export const applicationTitle = literal('kApplicationTitle');
export const [clientWidth, clientHeight] = numbers('kClientSize');
export const windowPointSize = Number(source.match(/kWindowPointSize = (\d+)/)[1]);
export const labelPointSize = Number(source.match(/kLabelPointSize = (\d+)/)[1]);
export const inputDescription = literal('kInputDescription');
export const outputDescription = literal('kOutputDescription');
export const initialInput = literal('kInitialInput');
export const initialOutput = literal('kInitialOutput');

export const controls = [...source.matchAll(
  /Control\{(?:ControlId::\w+,\s*)?"(\w+)",\s*Kind::(\w+),\s*Parent::(\w+),\s*\{(\d+),\s*(\d+),\s*(\d+),\s*(\d+)\},\s*"([^"]*)",\s*(true|false)\}/g)]
  .map(([, name, kind, parent, left, top, width, height, text, enabled]) => ({
    name, kind, parent, left: +left, top: +top, width: +width, height: +height, caption: text, enabled: enabled === 'true',
  }));

export const topMenus = [...source.matchAll(/MenuEntry\{"(\w+)",\s*MenuLevel::kTop,\s*"([^"]*)",\s*(true|false)/g)]
  .map(([, name, text, enabled]) => ({ name, caption: text.replace(/&(.)/g, '$1'), enabled: enabled === 'true' }));

// The controls Tab stops at, in order: what takes focus in every window.
export const tabStops = controls.filter((c) => c.enabled && c.kind !== 'kLabel' && c.kind !== 'kPanel').map((c) => c.name);

// The rows every window's tests share (frontends/model/tests/conformance.hpp): the keys that press a
// button, and the failures with a message of their own and the error box's text for each.
const shared = readFileSync(join(root, 'frontends', 'model', 'tests', 'conformance.hpp'), 'utf8');
export const buttonPresses = [...shared.matchAll(/ButtonPress\{"([^"]*)",\s*ControlId::k(\w+),\s*KeyName::k(\w+)\}/g)]
  .map(([, name, button, key]) => ({ name, button, key }));
export const messageFailures = [...shared.matchAll(/FailureRow\{"([^"]*)",\s*Failure::kMessage,\s*u"([^"]*)",\s*u"([^"]*)"/g)]
  .map(([, name, message, shown]) => ({ name, message, shown }));

// The error box's fixed texts, from the failure model both windows share.
const failureSource = readFileSync(join(root, 'frontends', 'model', 'failure.hpp'), 'utf8');
const fixedText = (name) => failureSource.match(new RegExp(`${name}\\[\\] = u"([^"]*)"`))[1];
export const outOfMemoryText = fixedText('kOutOfMemoryText');
export const foreignFailureText = fixedText('kForeignFailureText');

// Point sizes at 96 dpi, rounded to whole pixels.
export const pixelsOfPoints = (points) => Math.round((points * 96) / 72);
