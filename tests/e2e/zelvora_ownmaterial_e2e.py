#!/usr/bin/python3
"""Zelvora end to end: a user adds their own exam and paper, without root.

The program and its data folder are copied into a temporary folder and the
data folder is made read-only; HOME and XDG_DATA_HOME point into the same
temporary folder, so the user's own folder starts empty. Under Xvfb, with real
mouse and keyboard events (xdotool), the user:

1. presses Ctrl+N in the catalog window, fills "Adicionar exame" with a zip
   downloaded to their home, an organisation, a type and a year, saves, finds
   the exam in the catalog and copies it out through the save dialog;
2. opens the mock-exam window, presses "Adicionar prova", picks a PDF, types a
   name and pastes an answer key in the "1-a 2-c" shape, checks the preview,
   saves, starts the new paper, answers and finishes it, and reads the score.

The files land in ~/.local/share/zelvora/dados (Windows-1252, CR LF); the
program's data folder is unchanged at the end.

Exit status: 0 passed, 1 failed, 77 skipped. Run inside dbus-run-session.
"""
import os
import shutil
import stat
import subprocess
import sys
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from zelvora_e2e import (scenario_main, start_session, A11y, Failure, check, flat_zip_contents, log, tree_hash, wait_for)  # noqa: E402

EXAM = ('Banca Propria', 'Analista Proprio', '2031')
PAPER = 'Minha Prova Baixada'
KEY_TYPED = '1-a 2-c\n3-e 4-b'
KEY_DIGITS = b'1\r\n3\r\n5\r\n2\r\n'


def make_read_only(folder):
    for root, dirs, files in os.walk(folder):
        for f in files:
            p = os.path.join(root, f)
            os.chmod(p, os.stat(p).st_mode & ~(stat.S_IWUSR | stat.S_IWGRP | stat.S_IWOTH))
    for root, dirs, files in os.walk(folder, topdown=False):
        os.chmod(root, 0o555)


def click_on(desk, a11y, acc, what):
    x, y, w, h = a11y.rect(acc)
    desk.click(x + min(w // 2, 60), y + h // 2, what)


def field(a11y, window, name):
    return wait_for('the field "%s"' % name, lambda: (lambda found: found[0] if found else None)(
        [t for t in a11y.find_all(window, role='text') if t.get_name() == name]))


def button(a11y, window, name):
    return wait_for('the button "%s"' % name, lambda: (lambda found: found[0] if found else None)(
        a11y.find_all(window, role='push button', name=name)))


def take_paper(desk, a11y, simul, window, paper, options):
    """Starts the paper just added (chosen in the exam window's selector),
    marks options for its first questions, leaves the rest blank and
    finishes ("Sim" to the question about blank questions); the results
    window. window: the exam window's x, y and width."""
    wx, wy, ww = window
    combo = min(a11y.find_all(simul, role='combo box'), key=lambda c: a11y.rect(c)[1])
    wait_for('the new paper chosen', lambda: a11y.text(combo) == paper or combo.get_name() == paper)
    desk.click(wx + 653 + 64, wy + 80 + 18, 'btInicio')

    def radios():
        found = {r.get_name(): r for r in a11y.find_all(a11y.window(size=(1280, 1024)), role='radio button')}
        return found if all(k in found for k in 'ABCDE') else None
    wait_for('the answer column', radios, timeout=30)
    col_x, col_y = wx + ww - 198, wy + 117
    for q, option in enumerate(options):
        click_on(desk, a11y, radios()[option], 'option %s of question %d' % (option, q + 1))
        wait_for('question %d marked' % (q + 1), lambda: any(
            ('Questão %d' % (q + 1)) in a11y.text(c) and 'OK' in a11y.text(c)
            for c in a11y.find_all(a11y.window(size=(1280, 1024)), role='combo box')), timeout=10)
        desk.click(col_x + 121 + 36, col_y + 49 + 15, 'btProxima')
    desk.click(col_x + 1 + 96, col_y + 110 + 15, 'btFim')
    # A question is left blank: finishing asks first, and "Sim" is the default.
    wait_for('the question about blank questions', lambda: any(
        'branco' in (a11y.text(l) or '') for w in a11y.windows() for l in a11y.find_all(w, role='label')),
        timeout=20)
    desk.key('Return')
    return wait_for('the results window', lambda: a11y.window('Zelvora', (363, None)), timeout=20)


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
    user_folder = os.path.join(user_data, 'zelvora', 'dados')
    # What the user downloaded: an exam's zip and a paper's PDF.
    exam_zip = os.path.join(downloads, 'exame.zip')
    with zipfile.ZipFile(exam_zip, 'w', zipfile.ZIP_DEFLATED) as z:
        z.writestr('caderno/prova.txt', 'Questao 1 ...\n' * 200)
        z.writestr('caderno/gabarito.txt', '1-A 2-C\n')
    papers = sorted(f for f in os.listdir(os.path.join(data, 'simu')) if f.lower().endswith('.pdf'))
    check(papers, 'the sample folder has a PDF to stand for a download')
    paper_pdf = os.path.join(downloads, 'prova.pdf')
    shutil.copy(os.path.join(data, 'simu', papers[0]), paper_pdf)

    _, desk, env = start_session(work, procs, args.shots, 'pt_BR.UTF-8', HOME=home,
                                       XDG_DATA_HOME=user_data)
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

    # 1. Adicionar exame, from the keyboard.
    desk.click(mx + 316, my + 40, 'the catalog window logo')
    desk.key('ctrl+n')
    dialog = wait_for('the "Adicionar exame" dialog', lambda: a11y.window('Adicionar exame'))
    click_on(desk, a11y, field(a11y, dialog, 'Arquivo zip'), 'the zip box')
    desk.type(exam_zip)
    for name, value in zip(('Organização', 'Tipo de prova', 'Ano'), EXAM):
        click_on(desk, a11y, field(a11y, dialog, name), 'the box ' + name)
        desk.type(value)
    def listed():
        items = [i.get_name() for i in a11y.find_all(dialog, role='list item', showing=False)]
        return sorted(items) == ['caderno/gabarito.txt', 'caderno/prova.txt'] or log('listed', items)
    wait_for('the archive listed', listed)
    desk.screenshot('add-exam')
    click_on(desk, a11y, button(a11y, dialog, 'Salvar'), 'Salvar')
    wait_for('the dialog to close', lambda: a11y.window('Adicionar exame') is None)
    with open(os.path.join(user_folder, 'nomes.txt'), 'rb') as fh:
        line = fh.read()
    check(line == ('#'.join(EXAM) + '#Banca-Propria-Analista-Proprio-2031.zip\r\n').encode('cp1252'),
          'the catalog line in the user folder (%r)' % line)

    def grid_rows():
        got = a11y.table_rows(a11y.window('  Zelvora'))
        return [r for r in got[1] if any(r)] if got else None
    wait_for('the new exam in the grid', lambda: grid_rows() == [[EXAM[1], EXAM[0], EXAM[2]]])
    table = a11y.table_rows(a11y.window('  Zelvora'))[0]
    click_on(desk, a11y, a11y.cell(table, 0, 0), 'the new exam')
    desk.click(mx + 110 + 52, footer_y, 'btCopiar')
    save = wait_for('the save dialog', lambda: a11y.window('Copiar para...'))
    suggested = '%s - %s - %s' % (EXAM[0], EXAM[1], EXAM[2])
    edit = wait_for('the suggested name', lambda: [t for t in a11y.find_all(save, role='text')
                                                    if a11y.text(t) == suggested])[0]
    dest = os.path.join(work, 'copia')
    click_on(desk, a11y, edit, 'the file name box')
    desk.key('ctrl+a')
    desk.type(dest)
    for attempt in range(3):
        desk.key('Return')
        try:
            wait_for('the save dialog to close', lambda: a11y.window('Copiar para...') is None, timeout=3)
            break
        except Failure:
            if attempt == 2:
                raise
    expected = flat_zip_contents(exam_zip)

    def copied():
        if not os.path.isdir(dest):
            return None
        got = {f: open(os.path.join(dest, f), 'rb').read() for f in os.listdir(dest)}
        return got == expected
    wait_for('the copied files', copied, timeout=30)
    log('ok: the added exam copied out byte for byte')
    # The notice of a finished copy closes with Enter (its OK).
    wait_for('the notice of the copy', lambda: a11y.find_all(a11y.app(), role='alert'), timeout=20)
    desk.key('Return')
    wait_for('the notice to close', lambda: not a11y.find_all(a11y.app(), role='alert'))

    # 2. Adicionar prova, in the mock-exam window's top strip.
    desk.click(mx + 318 + 52, footer_y, 'btSimulado')
    simul = wait_for('the mock-exam window', lambda: a11y.window(size=(1280, 1024)))
    wx, wy, ww, wh = a11y.rect(simul)
    add = button(a11y, simul, 'Adicionar prova')
    ax, ay, aw, ah = a11y.rect(add)
    check((ax - wx, ay - wy, ah) == (790, 80, 36), 'the button sits at 790, 80, 36 high (got %d, %d, %d)'
          % (ax - wx, ay - wy, ah))
    desk.click(ax + aw // 2, ay + ah // 2, 'Adicionar prova')
    dialog = wait_for('the "Adicionar prova" dialog', lambda: a11y.window('Adicionar prova'))
    click_on(desk, a11y, field(a11y, dialog, 'Arquivo PDF'), 'the PDF box')
    desk.type(paper_pdf)
    click_on(desk, a11y, field(a11y, dialog, 'Nome da prova'), 'the name box')
    desk.type(PAPER)
    click_on(desk, a11y, field(a11y, dialog, 'Gabarito'), 'the key box')
    desk.type(KEY_TYPED)
    wait_for('the preview', lambda: [i.get_name() for i in a11y.find_all(dialog, role='list item')]
             == ['Questão 1: A', 'Questão 2: C', 'Questão 3: E', 'Questão 4: B'])
    desk.screenshot('add-paper')
    click_on(desk, a11y, button(a11y, dialog, 'Salvar'), 'Salvar')
    wait_for('the dialog to close', lambda: a11y.window('Adicionar prova') is None)
    simu = os.path.join(user_folder, 'simu')
    check(open(os.path.join(simu, 'Minha-Prova-Baixada.txt'), 'rb').read() == KEY_DIGITS, 'the key in digits')
    check(open(os.path.join(simu, 'lista.txt'), 'rb').read() == (PAPER + '#Minha-Prova-Baixada.pdf\r\n').encode(),
          'the list line')

    result = take_paper(desk, a11y, simul, (wx, wy, ww), PAPER, 'ACE')
    labels = [a.get_name() for a in a11y.find_all(result, role='label')]
    check('3 de 4' in labels, 'the score "3 de 4" (labels: %s)' % labels)
    desk.screenshot('own-paper-results')
    rx, ry, rw, rh = a11y.rect(result)
    desk.click(rx + rw // 2, ry + rh // 2, 'the results window')
    desk.key('alt+F4')
    wait_for('back to the catalog', lambda: a11y.window(size=(1280, 1024)) is None)
    desk.click(mx + 560 + 35, footer_y, 'btSair')
    wait_for('the program to end', lambda: prog.poll() is not None, timeout=20)
    check(prog.returncode == 0, 'the program ended with status 0')
    check(tree_hash(data) == data_hash, "the program's data folder is unchanged")
    log('PASSED')
    return 0


if __name__ == '__main__':
    sys.exit(scenario_main(__doc__, scenario, 'zelvora-own-e2e-'))
