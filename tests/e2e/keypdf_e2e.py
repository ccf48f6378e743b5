#!/usr/bin/python3
"""Zelvora end to end: a paper added with the board's key PDF, then its final key.

As in the user-material test, the program's data folder is a read-only copy
and HOME / XDG_DATA_HOME point into a temporary folder. Under Xvfb, with real
mouse and keyboard events, the user:

1. opens "Adicionar prova", picks a downloaded paper, names it and picks the
   board's preliminary key as a PDF ("Gabarito em PDF..."), checks the
   preview and saves;
2. takes the paper, answering A, D, E and leaving the last question blank,
   and reads "2 de 4";
3. opens "Histórico" from the results, presses "Atualizar gabarito..." and
   picks the final key PDF (question 2 changed to D, question 4 annulled),
   checks the changes listed, confirms, and sees the attempt scored again
   ("4 de 4 (antes 2 de 4)") in the history.

The old key is kept beside the new one; the data folder is unchanged.

Exit status: 0 passed, 1 failed, 77 skipped. Run inside dbus-run-session.
"""
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from zelvora_e2e import (scenario_main, start_session, A11y, check, log, tree_hash, wait_for)  # noqa: E402
from zelvora_ownmaterial_e2e import make_read_only, click_on, field, button, take_paper  # noqa: E402

PAPER = 'Prova do Gabarito em PDF'
PRELIMINARY = ['GABARITO PRELIMINAR', 'PROVA OBJETIVA', '01 - A    02 - C    03 - E    04 - B',
               'Pagina 1 de 1']
FINAL = ['GABARITO DEFINITIVO', 'PROVA OBJETIVA', '01 - A    02 - D    03 - E    04 - ANULADA',
         '* Questao anulada', 'Pagina 1 de 1']


def key_pdf(path, lines):
    """A one-page PDF whose text is the lines, in Helvetica, as a board's
    office software would write it (no Qt involved)."""
    def esc(s):
        return s.replace('\\', '\\\\').replace('(', '\\(').replace(')', '\\)')
    content = 'BT /F1 11 Tf 16 TL 50 780 Td ' + ' '.join('(%s) Tj T*' % esc(l) for l in lines) + ' ET'
    objects = ['<< /Type /Catalog /Pages 2 0 R >>',
               '<< /Type /Pages /Kids [3 0 R] /Count 1 >>',
               '<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 4 0 R >> >>'
               ' /Contents 5 0 R >>',
               '<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>',
               '<< /Length %d >>\nstream\n%s\nendstream' % (len(content), content)]
    out = b'%PDF-1.4\n'
    offsets = []
    for i, body in enumerate(objects):
        offsets.append(len(out))
        out += ('%d 0 obj\n%s\nendobj\n' % (i + 1, body)).encode('latin-1')
    xref = len(out)
    out += ('xref\n0 %d\n0000000000 65535 f \n' % (len(objects) + 1)).encode()
    for o in offsets:
        out += ('%010d 00000 n \n' % o).encode()
    out += ('trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n' % (len(objects) + 1, xref)).encode()
    with open(path, 'wb') as fh:
        fh.write(out)


def pick_file(desk, a11y, title, path):
    wait_for('the file dialog "%s"' % title, lambda: a11y.window(title), timeout=20)
    desk.type(path)
    desk.key('Return')
    wait_for('the file dialog to close', lambda: a11y.window(title) is None, timeout=20)


def items(a11y, window, name):
    lists = [l for l in a11y.find_all(window, role='list') if l.get_name() == name]
    if not lists:
        return None
    return [i.get_name() for i in a11y.find_all(lists[0], role='list item', showing=False)]


def scenario(args, work, procs):
    os.makedirs(args.shots, exist_ok=True)
    app_dir = os.path.join(work, 'app')
    os.makedirs(app_dir)
    program = os.path.join(app_dir, 'zelvora')
    shutil.copy2(args.bin, program)
    data = os.path.join(app_dir, 'dados')
    shutil.copytree(args.data, data)
    make_read_only(data)
    data_hash = tree_hash(data)

    home = os.path.join(work, 'home')
    downloads = os.path.join(home, 'Downloads')
    os.makedirs(downloads)
    user_data = os.path.join(home, '.local', 'share')
    simu = os.path.join(user_data, 'zelvora', 'dados', 'simu')
    papers = sorted(f for f in os.listdir(os.path.join(data, 'simu')) if f.lower().endswith('.pdf'))
    check(papers, 'the sample folder has a PDF to stand for a download')
    paper_pdf = os.path.join(downloads, 'prova.pdf')
    shutil.copy(os.path.join(data, 'simu', papers[0]), paper_pdf)
    preliminary = os.path.join(downloads, 'gabarito-preliminar.pdf')
    final = os.path.join(downloads, 'gabarito-definitivo.pdf')
    key_pdf(preliminary, PRELIMINARY)
    key_pdf(final, FINAL)

    _, desk, env = start_session(work, procs, args.shots, 'pt_BR.UTF-8', HOME=home, XDG_DATA_HOME=user_data)
    env.pop('ZELVORA_DADOS', None)
    prog = subprocess.Popen([program], env=env, cwd=work, stdin=subprocess.DEVNULL,
                            stdout=open(os.path.join(work, 'zelvora.log'), 'w'), stderr=subprocess.STDOUT)
    procs.append(prog)
    a11y = A11y(prog.pid)
    wait_for('the program on the accessibility bus', a11y.app, timeout=30)
    splash = wait_for('the splash window', lambda: a11y.window('Zelvora', (640, 480)), timeout=30)
    sx, sy, _, _ = a11y.rect(splash)
    desk.click(sx + 73, sy + 440, 'the splash start button')
    wait_for('the splash to close', lambda: a11y.window('Zelvora', (640, 480)) is None)
    main = wait_for('the catalog window', lambda: a11y.window('  Zelvora'))
    mx, my, _, _ = a11y.rect(main)
    footer_y = my + 405 + 4 + 18

    # 1. Adicionar prova with the key as a PDF.
    desk.click(mx + 318 + 52, footer_y, 'btSimulado')
    simul = wait_for('the mock-exam window', lambda: a11y.window(size=(1280, 1024)))
    wx, wy, ww, wh = a11y.rect(simul)
    click_on(desk, a11y, button(a11y, simul, 'Adicionar prova'), 'Adicionar prova')
    dialog = wait_for('the "Adicionar prova" dialog', lambda: a11y.window('Adicionar prova'))
    click_on(desk, a11y, field(a11y, dialog, 'Arquivo PDF'), 'the PDF box')
    desk.type(paper_pdf)
    click_on(desk, a11y, field(a11y, dialog, 'Nome da prova'), 'the name box')
    desk.type(PAPER)
    click_on(desk, a11y, button(a11y, dialog, 'Gabarito em PDF...'), 'Gabarito em PDF...')
    pick_file(desk, a11y, 'Escolha o gabarito', preliminary)
    wait_for('the preview of the key PDF', lambda: items(a11y, dialog, 'Respostas lidas')
             == ['Questão 1: A', 'Questão 2: C', 'Questão 3: E', 'Questão 4: B'])
    desk.screenshot('add-paper-key-pdf')
    click_on(desk, a11y, button(a11y, dialog, 'Salvar'), 'Salvar')
    wait_for('the dialog to close', lambda: a11y.window('Adicionar prova') is None)
    key_file = os.path.join(simu, 'Prova-do-Gabarito-em-PDF.txt')
    check(open(key_file, 'rb').read() == b'1\r\n3\r\n5\r\n2\r\n', 'the key in digits')

    # 2. The paper taken: A, D, E and a blank.
    result = take_paper(desk, a11y, simul, (wx, wy, ww), PAPER, 'ADE')
    labels = [a.get_name() for a in a11y.find_all(result, role='label')]
    check('2 de 4' in labels, 'the score "2 de 4" (labels: %s)' % labels)

    # 3. The final key, from the history.
    click_on(desk, a11y, button(a11y, result, 'Histórico'), 'Histórico')
    history = wait_for('the history window', lambda: a11y.window('Histórico'), timeout=20)
    wait_for('the attempt in the history', lambda: any(
        PAPER in r and '2 de 4' in r for r in (a11y.table_rows(history) or (None, []))[1]))
    click_on(desk, a11y, button(a11y, history, 'Atualizar gabarito...'), 'Atualizar gabarito...')
    update = wait_for('the "Atualizar gabarito" dialog', lambda: a11y.window('Atualizar gabarito'), timeout=20)
    click_on(desk, a11y, button(a11y, update, 'Gabarito em PDF...'), 'Gabarito em PDF...')
    pick_file(desk, a11y, 'Escolha o gabarito', final)
    wait_for('the changes listed', lambda: items(a11y, update, 'Mudanças no gabarito')
             == ['Questão 2: resposta alterada de C para D', 'Questões anuladas: 4'])
    desk.screenshot('update-key-changes')
    click_on(desk, a11y, button(a11y, update, 'Atualizar'), 'Atualizar')
    wait_for('the confirmation', lambda: any(
        'recalcular' in (a11y.text(l) or '') for w in a11y.windows() for l in a11y.find_all(w, role='label')),
        timeout=20)
    desk.key('Return')
    wait_for('the attempt scored again', lambda: items(a11y, update, 'Tentativas recalculadas')
             == ['Tentativa 1: antes 2 de 4, agora 4 de 4'], timeout=20)
    desk.screenshot('update-key-rescored')
    click_on(desk, a11y, button(a11y, update, 'Fechar'), 'Fechar')
    wait_for('the dialog to close', lambda: a11y.window('Atualizar gabarito') is None)
    wait_for('the history under the new key', lambda: any(
        PAPER in r and '4 de 4 (antes 2 de 4)' in r for r in (a11y.table_rows(history) or (None, []))[1]))
    desk.screenshot('history-rescored')
    check(open(key_file, 'rb').read() == b'1\r\n4\r\n5\r\nX\r\n', 'the new key')
    check(open(os.path.join(simu, 'Prova-do-Gabarito-em-PDF.gabarito-1.txt'), 'rb').read()
          == b'1\r\n3\r\n5\r\n2\r\n', 'the old key kept beside it')
    check(b'anuladas=4\r\n' in open(os.path.join(simu, 'Prova-do-Gabarito-em-PDF.ini'), 'rb').read(),
          'the annulled question in the info file')
    check(tree_hash(data) == data_hash, "the program's data folder is unchanged")
    prog.terminate()
    prog.wait(10)
    log('PASSED')
    return 0


if __name__ == '__main__':
    sys.exit(scenario_main(__doc__, scenario, 'zelvora-keypdf-e2e-'))
