#!/usr/bin/env python3
# Writes the help pages (platform/help/<zh|en>/<window>.html) from the table
# below; run it after changing a text. Every page has what the window does,
# its controls with their limits, what to check when a link fails (link
# windows), and the keys.
import html, os

KEYS = {
 'en': [("Ctrl+Z / Ctrl+Y", "undo / redo the last change of the image"),
        ("Ctrl+F4", "close this window"), ("F10", "open the menus; the arrow keys walk them"),
        ("Tab / Shift+Tab", "next / previous control"), ("Enter", "the window's main button"),
        ("Escape", "Cancel or Close"), ("F1", "this help")],
 'zh': [("Ctrl+Z / Ctrl+Y", "撤销 / 重做对数据的上一次修改"), ("Ctrl+F4", "关闭本窗口"),
        ("F10", "打开菜单，用方向键选择"), ("Tab / Shift+Tab", "下一个 / 上一个控件"),
        ("Enter", "本窗口的主按钮"), ("Escape", "取消或关闭"), ("F1", "本帮助")],
}
# Enter presses a window's main button and Escape its Cancel or Close: a
# page lists them only where the window has that button.
NO_MAIN_BUTTON = {'frm_chann', 'Form_Chann_Edit', 'frm_option', 'Form_Edit_Test', 'Form_edit_Key', 'frm_dtmf',
                  'Form_Edit_scan', 'Form_Edit_Message', 'Form_Adjust_Txp'}
NO_ESCAPE_BUTTON = {'frm_chann'}
LINK_CHECKS = {
 'en': ["the radio is switched on and its battery charged;",
        "the programming cable is plugged in at both ends;",
        "the port chosen under Communication is the one the cable uses (the port window names its device);",
        "no other program has the port open: close it first;",
        "your user may open the port (on Linux: a member of the dialout group, then log in again).",
        "After a failed write the radio is half-written: write again before using it."],
 'zh': ["对讲机已开机，电池有电；", "编程线两端都已插好；",
        "“通讯端口设置”中选择的端口就是编程线所用的端口（端口窗口会显示其设备）；",
        "没有其他程序正在使用该端口，如有请先关闭；",
        "您的用户有权打开该端口（Linux：属于 dialout 组，加入后需重新登录）。",
        "写入失败后对讲机只写入了一部分：使用前请重新写入。"],
}
RANGE = {'en': "Frequencies must lie in the working range (Optional Features, frequency range) and are "
               "rounded down to the 5 kHz or 6.25 kHz raster.",
         'zh': "频率必须在工作频率范围之内（可选功能窗口中设置），并按 5 kHz 或 6.25 kHz 步进向下取整。"}
NAMES = {'en': "Names have up to 5 characters of 0-9, A-Z, space, - _ + *.",
         'zh': "信道名称最多 5 个字符，可用 0-9、A-Z、空格及 - _ + *。"}

# window: (link?, {lang: (title, what, [(control, meaning)])})
PAGES = {
 'frm_chann': (False, {
  'en': ("Channel Information", "All 128 channels of the image as a grid; every cell is edited in place and "
         "stored into the image when you leave it.",
         [("RX / TX Frequency", "MHz, such as 438.500. " + RANGE['en'] + " An empty RX cell deletes the channel."),
          ("CTCSS/DCS Dec / Enc", "choose a tone from the list; OFF for none."),
          ("TX Power, W/N", "High or Low; Wide or Narrow."), ("Name", NAMES['en']),
          ("Channel Edit", "opens the highlighted channel in the channel editor."),
          ("Clear", "empties every channel at once (Ctrl+Z gives them back)."),
          ("Keys", "arrow keys and Page Up/Down move; Enter or F2 or typing opens the cell; Escape leaves it unchanged."),
          ("Selecting", "Shift with the arrows or a click extends the selection, Ctrl+click adds a cell; a click on a "
           "channel number or Shift+Space selects whole channels; Ctrl+A selects every channel."),
          ("Copy and paste", "Ctrl+C copies the cells as tab-separated text for a spreadsheet (whole channels also "
           "byte for byte); Ctrl+X cuts whole channels; Ctrl+V pastes from the current cell, right and down. A "
           "header line names the columns. If any value is refused, nothing is pasted."),
          ("Fill", "type a value with several cells of one column selected and press Ctrl+Enter."),
          ("Channels", "Delete empties the selected channels, Insert adds an empty channel above the current one, "
           "Ctrl+Delete removes the selected channels and moves the later ones up, Alt+Up / Alt+Down move them. "
           "The priority channel follows its channel."),
          ("Context menu", "right click, the Menu key or Shift+F10: these actions, Set for selected channels and Sort."),
          ("Drop a plan", "drop a .csv (generic or kvd9 layout) or a .chann file onto the grid. Every one of these "
           "actions is one step for Ctrl+Z.")]),
  'zh': ("信道参数编辑", "以表格显示全部 128 个信道；每个单元格可直接编辑，离开单元格时存入数据。",
         [("接收 / 发射频率", "单位 MHz，例如 438.500。" + RANGE['zh'] + "清空接收频率即删除该信道。"),
          ("QT/DQT 解码 / 编码", "从列表中选择亚音，关表示不用。"), ("发射功率、信道带宽", "高或低；宽带或窄带。"),
          ("信道名称", NAMES['zh']), ("信道编辑", "在信道编辑窗口中打开当前高亮的信道。"),
          ("清除", "立即清空所有信道（Ctrl+Z 可恢复）。"),
          ("按键", "方向键和 Page Up/Down 移动；Enter、F2 或直接输入打开单元格；Escape 放弃输入。"),
          ("选择", "Shift 加方向键或单击扩展选择，Ctrl+单击添加单元格；单击信道号或按 Shift+Space 选择整个信道；Ctrl+A 选择全部信道。"),
          ("复制和粘贴", "Ctrl+C 把单元格复制为制表符分隔的文本，可粘贴到电子表格（整个信道还按字节复制）；Ctrl+X 剪切整个信道；"
           "Ctrl+V 从当前单元格起向右、向下粘贴。标题行指明各列。只要有一个值被拒绝，就什么都不粘贴。"),
          ("填充", "选中同一列的多个单元格，输入一个值后按 Ctrl+Enter。"),
          ("信道", "Delete 清空所选信道，Insert 在当前信道上方插入空信道，Ctrl+Delete 删除所选信道并使后面的信道上移，"
           "Alt+上/下 移动所选信道。优先信道随其信道移动。"),
          ("右键菜单", "右键、菜单键或 Shift+F10：以上操作、“为所选信道设置”和排序。"),
          ("拖入信道表", "把 .csv（通用或 kvd9 格式）或 .chann 文件拖到表格上。以上每个操作都可用 Ctrl+Z 一步撤销。")])}),
 'Form_Chann_Edit': (False, {
  'en': ("Channel Edit", "One channel in full: frequencies, tones, power, bandwidth, name and scan.",
         [("Channel box and scroll bar", "choose the channel 1-128; in the box, Up and Down step one channel, "
           "Page Up and Page Down ten."),
          ("Frequencies", RANGE['en']), ("Name", NAMES['en'])]),
  'zh': ("信道编辑", "完整编辑一个信道：频率、亚音、功率、带宽、名称和扫描。",
         [("信道框和滚动条", "选择信道 1-128；在信道框中按上、下键切换一个信道，按 Page Up、Page Down 切换十个。"), ("频率", RANGE['zh']), ("名称", NAMES['zh'])])}),
 'frm_option': (False, {
  'en': ("Optional Features", "The radio's general settings, the frequency (VFO) mode and the working frequency range.",
         [("Lists and check boxes", "each setting is stored into the image as soon as it changes."),
          ("Frequency range", "the working range; every frequency entry is checked against it and it must lie within the model's band.")]),
  'zh': ("可选功能", "对讲机的一般设置、频率模式和工作频率范围。",
         [("列表和复选框", "每项设置一改变即存入数据。"),
          ("频率范围", "工作频率范围；所有频率输入都按它检查，且必须在机型的频段之内。")])}),
 'frm_dtmf': (False, {
  'en': ("DTMF", "The DTMF timings of the radio.", [("Timing lists", "each value is stored into the image when chosen.")]),
  'zh': ("DTMF 设置", "对讲机的 DTMF 时间参数。", [("时间列表", "选择后即存入数据。")])}),
 'Form_Edit_Test': (False, {
  'en': ("FM Radio", "The FM broadcast presets.", [("Preset grid", "frequencies in MHz within the FM broadcast band.")]),
  'zh': ("收音机", "调频广播预置频道。", [("预置表格", "调频广播频段内的频率，单位 MHz。")])}),
 'Form_Edit_Message': (False, {
  'en': ("Message", "The message the radio shows when it starts.", [("Message box", "characters of 0-9, A-Z, space, - _ + *.")]),
  'zh': ("开机信息", "对讲机开机时显示的信息。", [("信息框", "可用 0-9、A-Z、空格及 - _ + *。")])}),
 'Form_Edit_scan': (False, {
  'en': ("Scan", "The scan settings.", [("Lists", "each setting is stored into the image as soon as it changes.")]),
  'zh': ("扫描", "扫描设置。", [("列表", "每项设置一改变即存入数据。")])}),
 'Form_edit_Key': (False, {
  'en': ("Keys", "What the radio's programmable keys do.", [("Key lists", "choose a function for each key.")]),
  'zh': ("按键", "对讲机可编程按键的功能。", [("按键列表", "为每个按键选择功能。")])}),
 'Form_Comm_Read': (True, {
  'en': ("Read Data From Radio", "Reads the radio's whole memory into the program; the image changes only when the read completes.",
         [("Read", "starts the read on the chosen port; four attempts are made."),
          ("Cancel", "closes the window when no read is under way.")]),
  'zh': ("从对讲机读取数据", "把对讲机的全部存储读入程序；只有读取完成时数据才改变。",
         [("读取", "在所选端口上开始读取，最多尝试四次。"), ("取消", "没有读取进行时关闭窗口。")])}),
 'Form_Comm_Write': (True, {
  'en': ("Write Data to Radio", "Checks the image and writes rows 0 to 254 to the radio.",
         [("Write", "checks every frequency against the model's band, then writes; four attempts are made."),
          ("Cancel", "closes the window when no write is under way.")]),
  'zh': ("写数据到对讲机", "检查数据后把第 0 至 254 行写入对讲机。",
         [("写入", "先按机型频段检查所有频率，然后写入，最多尝试四次。"), ("取消", "没有写入进行时关闭窗口。")])}),
 'Form_Adjust_Txp': (True, {
  'en': ("Power Adjust", "Sets the radio's low and high transmit power live; the window lives only while the radio answers. The values are the radio's own: Ctrl+Z cannot take them back, and the image follows them without an undo step.",
         [("Low Power / High Power", "0-255; each move sends the value at once; status panel 2 confirms it."),
          ("Close", "ends the adjustment.")]),
  'zh': ("发射功率调整", "实时设置对讲机的低功率和高功率；只有对讲机应答时窗口才保持打开。这些数值属于对讲机本身：Ctrl+Z 无法撤销，数据随之更新但不记入撤销步骤。",
         [("低功率 / 高功率", "0-255；每次移动立即发送，状态栏第 2 栏确认。"), ("关闭", "结束调整。")])}),
 'Form_setup': (True, {
  'en': ("Communication Port Setup", "Chooses the port (COM1-COM8) the cable uses; a device keeps its number while it is present.",
         [("COM1 ... COM8", "the line below names the device behind the chosen number and whether it can be opened.")]),
  'zh': ("通讯端口设置", "选择编程线所用的端口（COM1-COM8）；设备存在期间其编号不变。",
         [("COM1 ... COM8", "下方一行显示所选编号对应的设备及能否打开。")])}),
 'Form_type': (False, {
  'en': ("Model", "Chooses the radio model, which sets the band limits.", [("Model list", "the band limits follow the model.")]),
  'zh': ("机型", "选择对讲机机型，机型决定频段限制。", [("机型列表", "频段限制随机型而定。")])}),
 'Form_open_chann': (False, {
  'en': ("Open Channel File", "Loads a \".chann\" file, which holds the whole image.",
         [("Folder list", "Enter opens a folder; letters jump to it."),
          ("File list", "the arrow keys put the file's name into the name box."),
          ("Name box", "a name or a full path ending in \".chann\".")]),
  'zh': ("打开信道参数文件", "调入“.chann”文件，文件中保存全部数据。",
         [("文件夹列表", "Enter 打开文件夹，输入字母跳到该文件夹。"), ("文件列表", "方向键把文件名填入名称框。"),
          ("名称框", "以“.chann”结尾的文件名或完整路径。")])}),
 'Form_save_chann': (False, {
  'en': ("Save Channel File", "Saves the whole image as a \".chann\" file; an existing file is replaced without asking.",
         [("Folder list", "Enter opens a folder; letters jump to it."),
          ("File list", "the arrow keys put the file's name into the name box."),
          ("Name box", "a name or a full path ending in \".chann\".")]),
  'zh': ("保存信道参数文件", "把全部数据保存为“.chann”文件；同名文件不经询问即被替换。",
         [("文件夹列表", "Enter 打开文件夹，输入字母跳到该文件夹。"), ("文件列表", "方向键把文件名填入名称框。"),
          ("名称框", "以“.chann”结尾的文件名或完整路径。")])}),
 'Form_open_menu': (False, {
  'en': ("Open Optional File", "Chooses the name of an optional parameter file (\".menu\").", [("Name box", "a name ending in \".menu\".")]),
  'zh': ("打开可选参数文件", "选择可选参数文件（“.menu”）的名称。", [("名称框", "以“.menu”结尾的文件名。")])}),
 'Form_save_menu': (False, {
  'en': ("Save Optional File", "Chooses the name of an optional parameter file (\".menu\").", [("Name box", "a name ending in \".menu\".")]),
  'zh': ("保存可选参数文件", "选择可选参数文件（“.menu”）的名称。", [("名称框", "以“.menu”结尾的文件名。")])}),
 'frmAbout': (False, {
  'en': ("About", "The program's version and maker.", [("OK", "closes the box.")]),
  'zh': ("关于", "程序的版本和制造商。", [("确定", "关闭窗口。")])}),
}
HEAD = {'en': ("Controls", "When the link fails, check", "Keys"), 'zh': ("控件", "联络失败时请检查", "按键")}

here = os.path.dirname(os.path.abspath(__file__))
for window, (link, langs) in PAGES.items():
    for lang, (title, what, controls) in langs.items():
        e = html.escape
        parts = [f"<html><body><h2>{e(title)}</h2><p>{e(what)}</p>", f"<h3>{e(HEAD[lang][0])}</h3><ul>"]
        parts += [f"<li><b>{e(c)}</b>: {e(m)}</li>" for c, m in controls]
        parts.append("</ul>")
        if link:
            parts.append(f"<h3>{e(HEAD[lang][1])}</h3><ul>")
            parts += [f"<li>{e(x)}</li>" for x in LINK_CHECKS[lang]]
            parts.append("</ul>")
        parts.append(f"<h3>{e(HEAD[lang][2])}</h3><ul>")
        parts += [f"<li><b>{e(k)}</b>: {e(m)}</li>" for k, m in KEYS[lang]
                  if not (k == "Enter" and window in NO_MAIN_BUTTON) and not (k == "Escape" and window in NO_ESCAPE_BUTTON)]
        parts.append("</ul></body></html>\n")
        os.makedirs(os.path.join(here, lang), exist_ok=True)
        with open(os.path.join(here, lang, window + ".html"), "w", encoding="utf-8") as f:
            f.write("\n".join(parts))
