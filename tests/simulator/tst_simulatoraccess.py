#!/usr/bin/python3
# The editor as a screen reader finds it: a real simulator process on the
# virtual X server, read and driven through the accessibility tree (AT-SPI)
# only. Run inside a session bus of its own (dbus-run-session), with
#   tst_simulatoraccess.py <simulator program> <built question bank>
# The simulator runs alone (no host): it shows itself after a few seconds.

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi

BANK_KEY = 'qmvrtpzkdsnbhfgwxe73'
CHINESE = re.compile('[\u3400-\u9fff]')
# What a candidate can press, tick, choose or type into: each needs a name
# that says what it is, in Chinese.
INTERACTIVE = {
    'push button', 'toggle button', 'check box', 'radio button', 'combo box', 'text', 'password text',
    'list', 'list item', 'menu', 'menu item', 'check menu item', 'radio menu item', 'page tab',
    'spin button', 'slider', 'link', 'table cell', 'tree item', 'image', 'panel', 'tool bar',
}
# The question's task: slide 2 holds a picture; a new slide of the layout
# 标题和文本 after it completes the question.
TASK = '''th: 101
text: 在第2张幻灯片之后插入一张新幻灯片，版式为“标题和文本”。
kind: 新幻灯片
start: slide2.图片 = 1
goal: count = 7
goal: slide3.layout = 标题和文本
step: select 2 | 单击第2张幻灯片
step: menu 插入 | 单击“插入”菜单
step: command 新幻灯片 | 单击“新幻灯片”命令
step: field 版式 = 标题和文本 | 选择“标题和文本”
step: ok | 单击“确定”按钮
'''

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print('FAIL: ' + message, flush=True)
    return condition


def wait_for(what, seconds=10.0):
    deadline = time.monotonic() + seconds
    while True:
        try:
            found = what()
        except SystemExit:
            raise
        except Exception:  # the tree changes while it is read
            found = None
        if found or time.monotonic() > deadline:
            return found
        time.sleep(0.1)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def children(node):
    return [c for c in node if c is not None]


def nodes(node, inside_box=False):
    """Every showing node below `node`, each with whether a box holds it
    (the entries of a box's list are values, not names)."""
    for c in children(node):
        if not showing(c):
            continue
        yield c, inside_box
        yield from nodes(c, inside_box or c.getRoleName() == 'combo box')


def find(node, role, name=None, pattern=None):
    for c, _ in nodes(node):
        if c.getRoleName() == role and (name is None or c.name == name) \
                and (pattern is None or re.search(pattern, c.name or '')):
            return c
    return None


def do(node, action):
    actions = node.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i) == action:
            actions.doAction(i)
            return
    raise AssertionError('%s "%s" offers no %s' % (node.getRoleName(), node.name, action))


def check_names(root, where):
    """Every control under `root` has a Chinese name."""
    for node, inside_box in nodes(root):
        role = node.getRoleName()
        if role not in INTERACTIVE or inside_box:
            continue
        name = node.name or ''
        check(CHINESE.search(name), '%s: %s named "%s", not in Chinese' % (where, role, name))


def bank_value(bank, sql):
    result = subprocess.run(['sqlcipher', bank], input="PRAGMA key='%s';\n%s;\n" % (BANK_KEY, sql),
                            capture_output=True, text=True, check=True)
    return result.stdout.strip().splitlines()[-1] if result.stdout.strip() else ''


def menu_entries(frame, title):
    """Opens a menu of the menu bar by its action, returns its shown entries."""
    item = find(frame, 'menu item', title)
    do(item, 'ShowMenu')
    popup = wait_for(lambda: next(c for c in children(item) if showing(c) and c.childCount > 0))
    check(popup, 'menu %s opens through its action' % title)
    return item, popup


def close_menu(item):
    do(item, 'ShowMenu')
    wait_for(lambda: not any(showing(c) for c in children(item)), 3)


# Menu entries that show a task pane rather than open a dialog, and the pane each shows.
PANES = {'新建': '新建演示文稿', '幻灯片版式': '幻灯片版式', '幻灯片设计': '幻灯片设计', '动画方案': '动画方案',
         '自定义动画': '自定义动画', '幻灯片切换': '幻灯片切换'}


def run(simulator, built_bank):
    folder = tempfile.mkdtemp(prefix='pelquor-access-')
    process = keeper = None
    try:
        os.makedirs(os.path.join(folder, 'data'))
        bank = os.path.join(folder, 'data', 'orva.mdb')
        shutil.copy(built_bank, bank)
        question = os.path.join(folder, 'ovti', '金山演示101')
        os.makedirs(question)
        os.symlink(simulator, os.path.join(question, 'ov'))
        with open(os.path.join(question, 'task.txt'), 'w', encoding='utf-8') as task:
            task.write(TASK)
        runtime = os.path.join(folder, 'run')
        os.makedirs(runtime, mode=0o700)
        bank_value(bank, "update sbsti set dqwz='0', zt='', ks='', jc='' where th='101'")

        environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', QT_QPA_PLATFORM='xcb',
                           XDG_RUNTIME_DIR=runtime)
        # An X server resets itself when its last client leaves (the
        # accessibility bus asks it for its address and goes): a client
        # kept connected meanwhile spares the simulator a failed start.
        def keep_connected():
            nonlocal keeper
            keeper = subprocess.Popen(['xprop', '-root', '-spy', 'AT_SPI_BUS'], stdout=subprocess.DEVNULL,
                                      stderr=subprocess.DEVNULL)
            time.sleep(0.3)
            return keeper.poll() is None
        check(wait_for(keep_connected, 10), 'the X server takes a client')
        process = subprocess.Popen([os.path.join(question, 'ov')], env=environment)

        def application():
            if process.poll() is not None:
                raise SystemExit('the simulator ended at its start (exit code %s)' % process.returncode)
            for app in children(pyatspi.Registry.getDesktop(0)):
                if app.get_process_id() == process.pid:
                    frames = [f for f in children(app) if f.getRoleName() == 'frame' and showing(f)]
                    if frames and find(frames[0], 'panel', '任务窗格') and find(frames[0], 'link'):
                        return app, frames[0]
            return None
        found = wait_for(application, 30)
        if not check(found, 'the editor shows up in the accessibility tree'):
            return
        app, frame = found
        check(frame.name.startswith('金山演示'), 'window named "%s"' % frame.name)

        # The window as it opens: toolbars, slide list, slide, notes, task pane.
        check_names(frame, 'window')
        titles = [c.name for c in children(find(frame, 'menu bar'))]
        check(titles == ['文件(F)', '编辑(E)', '视图(V)', '插入(I)', '格式(O)', '工具(T)', '幻灯片放映(D)',
                         '窗口(W)', '帮助(H)'], 'menu titles with their access keys: %s' % titles)
        slides = find(frame, 'list', '幻灯片列表')
        thumbnails = [c.name for c in children(slides)]
        check(len(thumbnails) == 6 and all(re.match(r'^\d+ \S', n) for n in thumbnails) and '3 市场分析' in thumbnails,
              'slide thumbnails named by number and title: %s' % thumbnails)
        for toolbar, controls in (('常用', ['新建', '保存', '显示比例']), ('格式', ['字体', '字号', '加粗', '字体颜色'])):
            bar = find(frame, 'tool bar', toolbar)
            named = [c.name for c, _ in nodes(bar)] if bar else []
            check(all(c in named for c in controls), 'toolbar %s holds %s: %s' % (toolbar, controls, named))
        slide_area = find(frame, 'panel', '幻灯片编辑区')
        check(slide_area and find(slide_area, 'text', '标题占位符') and find(slide_area, 'text', '正文占位符'),
              'the slide area holds its title and body placeholders')

        # Every menu's entries, and the submenus of 视图.
        for title in titles:
            item, popup = menu_entries(frame, title)
            if popup:
                check_names(popup, 'menu ' + title)
                entries = [c for c in children(popup) if c.getRoleName() != 'separator']
                # A list's entries (the files used last, the open windows) are keyed by their number.
                check(all(re.search(r'\([A-Z]\)', c.name) or re.match(r'^\d ', c.name) for c in entries if CHINESE.search(c.name or '')),
                      'entries of %s carry access keys: %s' % (title, [c.name for c in entries]))
            close_menu(item)

        # Every dialog the menus open: its fields and buttons named.
        for title in titles:
            item, popup = menu_entries(frame, title)
            openers = [c.name for c in children(popup) if (c.name or '').endswith('…')] if popup else []
            close_menu(item)
            for entry in openers:
                item, popup = menu_entries(frame, title)
                do(find(popup, 'menu item', entry), 'Press')
                name = re.sub(r'\([A-Z]\)…$', '', entry)
                if name in PANES:
                    # These show their task pane, as the editor does, rather than a dialog.
                    pane = find(frame, 'panel', '任务窗格')
                    check(wait_for(lambda: pane.description == PANES[name], 5), '%s %s shows its task pane' % (title, entry))
                    if any(showing(c) for c in children(item)):
                        close_menu(item)
                    continue
                dialog = wait_for(lambda: next(d for d in children(app) if d.getRoleName() == 'dialog' and showing(d)), 5)
                if not check(dialog, '%s %s opens its dialog' % (title, entry)):
                    continue
                check_names(dialog, 'dialog ' + dialog.name)
                cancel = find(dialog, 'push button', '取消') or find(dialog, 'push button', '关闭')
                if check(cancel, 'dialog %s can be left' % dialog.name):
                    do(cancel, 'Press')
                wait_for(lambda: not showing(dialog), 3)

        # The drawing toolbar is there from the start.
        drawing = find(frame, 'tool bar', '绘图')
        if check(drawing, 'the drawing toolbar shows from the start'):
            check_names(drawing, 'toolbar 绘图')
            check(find(drawing, 'push button', '自选图形'), 'the drawing toolbar holds 自选图形')

        # 视图 → 工具栏 → 大纲: a tick entry in a submenu shows a hidden toolbar.
        view, popup = menu_entries(frame, '视图(V)')
        toolbars = find(popup, 'menu item', '工具栏(B)')
        do(toolbars, 'ShowMenu')
        outline_tick = wait_for(lambda: find(toolbars, 'menu item', '大纲(U)'))
        drawing_tick = find(toolbars, 'menu item', '绘图(D)')
        if check(outline_tick and drawing_tick, 'the 工具栏 submenu lists the toolbars'):
            check(drawing_tick.getState().contains(pyatspi.STATE_CHECKED)
                  and not outline_tick.getState().contains(pyatspi.STATE_CHECKED),
                  'the shown toolbar is ticked, the hidden one not')
            check_names(toolbars, 'menu 工具栏')
            do(outline_tick, 'Press')
        outline = wait_for(lambda: find(frame, 'tool bar', pattern='大纲'))
        if check(outline, 'the outline toolbar shows after its tick'):
            check_names(outline, 'toolbar 大纲')

        # The task pane switched to its panes of controls through its own switcher.
        pane = find(frame, 'panel', '任务窗格')
        for name, controls in (('自定义动画', ['添加效果', '删除', '动画效果列表']), ('幻灯片切换', ['切换效果'])):
            switch = find(pane, 'push button', '其他任务窗格')
            do(switch, 'Press')
            switcher = wait_for(lambda: next(m for m in children(switch) if showing(m)), 5)
            if not check(switcher, 'the task pane offers its other panes'):
                continue
            do(find(switcher, 'menu item', name), 'Press')
            shown = wait_for(lambda: all(any(c.name == n for c, _ in nodes(pane)) for n in controls), 5)
            check(shown, 'the %s pane shows %s: %s' % (name, controls, [c.name for c, _ in nodes(pane)]))
            check_names(pane, 'task pane ' + name)

        # Slide 2 chosen in the list (ticked, slide 1 unticked): its picture is on the slide.
        status = find(frame, 'filler', '状态栏')
        do(children(slides)[1], 'Toggle')
        do(children(slides)[0], 'Toggle')
        check(wait_for(lambda: status.description.startswith('幻灯片 2 / 6')),
              'the status bar tells the slide chosen: "%s"' % status.description)
        picture = wait_for(lambda: find(slide_area, 'image', '图片'))
        check(picture, 'slide 2 chosen through the list shows its picture on the slide')

        # 插入 → 新幻灯片…, 标题和文本 in its dialog, 确定.
        insert, popup = menu_entries(frame, '插入(I)')
        do(find(popup, 'menu item', '新幻灯片(N)…'), 'Press')
        dialog = wait_for(lambda: next(d for d in children(app) if d.getRoleName() == 'dialog' and showing(d)))
        if not check(dialog and dialog.name == '新幻灯片', 'the 新幻灯片 dialog opens'):
            return
        check_names(dialog, 'dialog 新幻灯片')
        layouts = find(dialog, 'list', '版式')
        names = [c.name for c in children(layouts)]
        check('标题和文本' in names, 'the layouts are listed by name: %s' % names)
        do(children(layouts)[names.index('标题和文本')], 'Toggle')
        do(find(dialog, 'push button', '确定'), 'Press')
        grown = wait_for(lambda: len(children(slides)) == 7 and children(slides)[2].name == '3 无标题')
        check(grown, 'the new slide is third in the list: %s' % [c.name for c in children(slides)])
        check(wait_for(lambda: bank_value(bank, "select zt from sbsti where th='101'") == '已完成'),
              'the question is recorded as completed')
        strip = find(frame, 'filler', '题目要求')
        check(strip and '恭喜，本题已完成！' in strip.description, 'the task strip tells the completion')

        # 视图 → 母版 → 幻灯片母版, and back through its toolbar.
        view, popup = menu_entries(frame, '视图(V)')
        masters = find(popup, 'menu item', '母版(M)')
        do(masters, 'ShowMenu')
        slide_master = wait_for(lambda: find(masters, 'menu item', '幻灯片母版(S)'))
        if check(slide_master, 'the 母版 submenu lists 幻灯片母版'):
            do(slide_master, 'Press')
        master_bar = wait_for(lambda: find(frame, 'tool bar', pattern='母版视图'))
        if check(master_bar, 'the master view shows its toolbar'):
            check_names(master_bar, 'toolbar ' + master_bar.name)
            check('母版视图' in status.description, 'the status bar tells the master view: "%s"' % status.description)
            # The master's areas: its placeholders, and the date, footer and
            # number areas it paints, which a press puts the caret into.
            areas = {name: find(slide_area, role, name) for role, name in (
                ('text', '标题区'), ('text', '对象区'), ('image', '日期区'), ('image', '页脚区'), ('image', '数字区'))}
            check(all(areas.values()), 'the slide area shows the master\'s areas, found: %s'
                  % ' '.join(name for name, node in areas.items() if node))
            check_names(slide_area, 'master view')
            if areas['日期区']:
                do(areas['日期区'], 'Press')
                check(wait_for(lambda: areas['日期区'].getState().contains(pyatspi.STATE_SELECTED), 5),
                      'a press on the date area chooses it')
            do(find(master_bar, 'push button', '关闭母版视图'), 'Press')
            check(wait_for(lambda: '普通视图' in status.description), 'closing the master view goes back to the slides')
    finally:
        if keeper:
            keeper.kill()
            keeper.wait()
        if process:
            process.terminate()
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == '__main__':
    run(sys.argv[1], sys.argv[2])
    print('%d failure(s)' % len(failures))
    sys.exit(1 if failures else 0)
