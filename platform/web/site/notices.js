// What the show says, as a small notice over the picture that fades after a
// few seconds; the console and window.quorvel8.lines keep every line. Text
// only, never markup: a line may quote a link's value. Each line takes its
// direction from its own text, so none can turn the page's around it.

const kShownMs = 6000;
const kMostShown = 3;

export function showNotice(line) {
  const notices = document.getElementById('notices');
  const notice = document.createElement('div');
  notice.dir = 'auto';
  notice.textContent = line;
  notices.append(notice);
  while (notices.childElementCount > kMostShown) {
    notices.firstElementChild.remove();
  }
  setTimeout(() => notice.remove(), kShownMs);
}

// The line is shown elsewhere now (the page's error).
export function withdrawNotice(line) {
  for (const notice of [...document.getElementById('notices').children]) {
    if (notice.textContent === line) {
      notice.remove();
    }
  }
}
