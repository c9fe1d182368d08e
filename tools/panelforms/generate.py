#!/usr/bin/env python3
"""Writes the ten control-panel forms (panel/panel*.ui).

The forms share one look: group boxes in columns, a label column, the
control, and for sliders the value beside it. Keeping them generated from
this description keeps the ten pages aligned with each other; edit here and
re-run, or open the result in Designer.
"""
import os
import sys
from xml.sax.saxutils import escape

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'panel')

class Form:
    def __init__(self, cls):
        self.cls = cls
        self.names = set()

    def uniq(self, base):
        n, i = base, 1
        while n in self.names:
            i += 1
            n = '%s_%d' % (base, i)
        self.names.add(n)
        return n

def s(text):
    return '<string>%s</string>' % escape(text)

def prop(name, inner):
    return '<property name="%s">%s</property>' % (name, inner)

def label(f, text, name=None, extra=''):
    n = name or f.uniq('label')
    return '<widget class="QLabel" name="%s">%s%s</widget>' % (n, prop('text', s(text)), extra)

def value_label(name, text='-'):
    return ('<widget class="QLabel" name="%s">%s%s%s</widget>' %
            (name, prop('text', s(text)), prop('textInteractionFlags', '<set>Qt::TextSelectableByMouse</set>'),
             prop('minimumSize', '<size><width>36</width><height>0</height></size>')))

def item(row, col, inner, colspan=1, align=None):
    a = ' colspan="%d"' % colspan if colspan > 1 else ''
    al = ' alignment="%s"' % align if align else ''
    return '<item row="%d" column="%d"%s%s>%s</item>' % (row, col, a, al, inner)

def combo(name, items=()):
    its = ''.join('<item>%s</item>' % prop('text', s(t)) for t in items)
    return ('<widget class="QComboBox" name="%s">%s%s%s</widget>' %
            (name, prop('sizeAdjustPolicy', '<enum>QComboBox::AdjustToContents</enum>'),
             prop('minimumSize', '<size><width>150</width><height>0</height></size>'), its))

def slider(name):
    return ('<widget class="QSlider" name="%s">%s%s%s</widget>' %
            (name, prop('orientation', '<enum>Qt::Horizontal</enum>'),
             prop('minimumSize', '<size><width>90</width><height>0</height></size>'),
             prop('pageStep', '<number>5</number>')))

def button(name, text, tip=None, narrow=False):
    t = prop('toolTip', s(tip)) if tip else ''
    if narrow:
        t += prop('maximumSize', '<size><width>28</width><height>16777215</height></size>')
    return '<widget class="QPushButton" name="%s">%s%s</widget>' % (name, prop('text', s(text)), t)

def lineedit(name):
    return ('<widget class="QLineEdit" name="%s">%s%s</widget>' %
            (name, prop('maxLength', '<number>15</number>'), prop('placeholderText', s('0.0.0.0'))))

def grid(f, rows, name=None):
    """rows: list of lists of (inner, colspan) or None cells"""
    out = []
    for r, cells in enumerate(rows):
        c = 0
        for cell in cells:
            if cell is None:
                c += 1
                continue
            inner, span = cell if isinstance(cell, tuple) else (cell, 1)
            out.append(item(r, c, inner, span))
            c += span
    n = name or f.uniq('gridLayout')
    return ('<layout class="QGridLayout" name="%s">%s%s%s</layout>' %
            (n, prop('horizontalSpacing', '<number>8</number>'), prop('verticalSpacing', '<number>4</number>'),
             ''.join(out)))

def group(f, name, title, layout):
    return '<widget class="QGroupBox" name="%s">%s%s</widget>' % (name, prop('title', s(title)), layout)

# Row makers: each returns a list of cells for a 3-column grid (label, control, value)
def r_combo(f, name, text, items=()):
    return [label(f, text), (combo(name, items), 2)]

def r_slider(f, name, text):
    return [label(f, text), slider(name), value_label('label_' + name, '0')]

def r_text(f, name, text):
    return [label(f, text), (value_label(name), 2)]

def r_line(f, name, text):
    return [label(f, text), (lineedit(name), 2)]

def r_step_slider(f, name, text, code):
    return [label(f, text), button('pushbtn%s0' % code, '\u2212', 'One step down', True), slider(name),
            button('pushbtn%s1' % code, '+', 'One step up', True), value_label('label_' + name, '0')]

def radios(f, gname, title, buttons, cols=2):
    cells = []
    rows = []
    for i, (n, t) in enumerate(buttons):
        if i % cols == 0:
            rows.append([])
        rows[-1].append('<widget class="QRadioButton" name="%s">%s</widget>' % (n, prop('text', s(t))))
    return group(f, gname, title, grid(f, rows))

def spacer(f):
    return ('<spacer name="%s"><property name="orientation"><enum>Qt::Vertical</enum></property>'
            '<property name="sizeHint" stdset="0"><size><width>20</width><height>0</height></size></property>'
            '</spacer>' % f.uniq('verticalSpacer'))

def column(f, widgets):
    items = ''.join('<item>%s</item>' % w for w in widgets) + '<item>%s</item>' % spacer(f)
    return '<layout class="QVBoxLayout" name="%s">%s</layout>' % (f.uniq('column'), items)

def form(f, columns):
    top = ''.join('<item>%s</item>' % column(f, c) for c in columns)
    top += ('<item><spacer name="horizontalSpacer"><property name="orientation"><enum>Qt::Horizontal</enum>'
            '</property><property name="sizeHint" stdset="0"><size><width>0</width><height>20</height></size>'
            '</property></spacer></item>')
    return ('<?xml version="1.0" encoding="UTF-8"?>\n<ui version="4.0">\n<class>%s</class>\n'
            '<widget class="QWidget" name="%s">%s<layout class="QHBoxLayout" name="layoutColumns">%s%s</layout>'
            '</widget>\n<resources/>\n<connections/>\n</ui>\n' %
            (f.cls, f.cls, prop('geometry', '<rect><x>0</x><y>0</y><width>900</width><height>420</height></rect>'),
             prop('spacing', '<number>10</number>'), top))

def write(name, text):
    import xml.dom.minidom
    pretty = xml.dom.minidom.parseString(text.encode()).toprettyxml(indent=' ', encoding='UTF-8').decode()
    pretty = '\n'.join(l for l in pretty.splitlines() if l.strip()) + '\n'
    open(os.path.join(OUT, name), 'w').write(pretty)

INPUTS = [('HDMI1', 'HDMI 1'), ('HDMI2', 'HDMI 2'), ('VGA', 'VGA'), ('BNC', 'BNC'), ('DVI', 'DVI'),
          ('SDI', 'SDI'), ('HDBaseT', 'HDBaseT')]
COLOURS = [('Red', 'Red'), ('Green', 'Green'), ('Blue', 'Blue'), ('Cyan', 'Cyan'), ('Magenta', 'Magenta'),
           ('Yellow', 'Yellow')]

def hsg_group(f, suffix, reset, white):
    rows = [[None, label(f, 'Gain'), None, label(f, 'Saturation'), None, label(f, 'Hue'), None]]
    for key, text in COLOURS:
        row = [label(f, text)]
        for kind in ('Gain', 'Saturation', 'Hue'):
            n = 'sliderHSG_%s%s%s' % (key, kind, suffix)
            row += [slider(n), value_label('label_' + n, '0')]
        rows.append(row)
    row = [label(f, 'White R / G / B')]
    for n in white:
        row += [slider(n), value_label('label_' + n, '0')]
    rows.append(row)
    rows.append([(button(reset, 'Reset colour management'), 7)])
    return group(f, f.uniq('boxColourManagement'), 'Colour management',
                 grid(f, rows))

def file_group(f, tab):
    return group(f, 'boxSettingFile', 'Setting file',
                 grid(f, [[button('pushbuttonExport' + tab, 'Export...'), button('pushbuttonImport' + tab, 'Import...')]]))

def info():
    f = Form('PanelInfo')
    power = group(f, 'boxPower', 'Power', grid(f, [[button('pushbuttonPowerOn', 'Power On'),
        button('pushbuttonPowerOff', 'Power Off'),
        '<widget class="QLabel" name="labelLampPixmap">%s%s</widget>' % (
            prop('minimumSize', '<size><width>24</width><height>24</height></size>'),
            prop('pixmap', '<pixmap resource="../ui/orvanto.qrc">:/images/Lamp0_24x24.png</pixmap>'))]]))
    proj = group(f, 'boxProjector', 'Projector', grid(f, [
        r_text(f, 'textModelName_Info', 'Model'), r_text(f, 'textSerialNumber_Info', 'Serial number'),
        r_text(f, 'textSoftwareVersion1_Info', 'Software version'),
        r_text(f, '_textSoftwareVerMotor_Info', 'Motor software'), r_text(f, '_textSoftwareVerF336_Info', 'F336 software'),
        r_text(f, 'textLampUsage_Info', 'Light source hours')]))
    sig = group(f, 'boxSignal', 'Signal', grid(f, [
        r_text(f, 'textActiveSource_Info', 'Active source'), r_text(f, 'textCurrentSignal_Info', 'Signal'),
        r_text(f, '_textHRefreshRate_Info', 'Refresh rate H / V'), r_text(f, '_textVRefreshRate_Info', 'Vertical refresh'),
        r_text(f, 'textPixelClock_Info', 'Pixel clock')]))
    inp = radios(f, 'groupboxInputSelect_Info', 'Input', [('rb%s_2' % n, t) for n, t in INPUTS])
    disp = group(f, 'boxDisplay', 'Display', grid(f, [
        r_combo(f, 'comboboxAspectRatio_Info', 'Aspect ratio'), r_combo(f, 'comboboxAutoSource_Info', 'Auto source'),
        r_combo(f, 'comboboxBlanking_Info', 'Blank screen')]))
    write('panelinfo.ui', form(f, [[power, proj, disp], [sig, inp]]))

def input_tab():
    f = Form('PanelInput')
    inp = radios(f, 'groupboxInputSelect', 'Input select', [('rb%s' % n, t) for n, t in INPUTS])
    src = group(f, 'boxSource', 'Source', grid(f, [
        r_text(f, 'textActiveSource', 'Active source'), r_text(f, 'textCurrentSignal', 'Signal'),
        r_combo(f, 'comboboxAspectRatio', 'Aspect ratio'), r_combo(f, 'comboboxAutoSource', 'Auto source'),
        r_combo(f, 'comboboxColorSpace', 'Colour space')]))
    pos = radios(f, 'groupboxPipPosition', 'Position', [('rbPIP_TopLeft', 'Top left'), ('rbPIP_TopRight', 'Top right'),
        ('rbPIP_BottomLeft', 'Bottom left'), ('rbPIP_BottomRight', 'Bottom right'), ('rbPIP_PBP', 'Side by side (PBP)')])
    pip = group(f, 'boxPip', 'Picture in picture', grid(f, [
        r_combo(f, 'comboboxPipOption', 'Mode'), r_combo(f, 'comboboxPipInput', 'Second input'), [(pos, 3)]]))
    write('panelinput.ui', form(f, [[inp, src], [pip]]))

def picture():
    f = Form('PanelPicture')
    pic = group(f, 'boxPicture', 'Picture', grid(f, [
        r_combo(f, 'comboboxPictureMode', 'Picture mode'), r_slider(f, 'sliderBrightness', 'Brightness'),
        r_slider(f, 'sliderContrast', 'Contrast'), r_slider(f, 'sliderSaturation', 'Saturation'),
        r_slider(f, 'sliderHue', 'Hue'), r_slider(f, 'sliderSharpness', 'Sharpness'),
        r_slider(f, 'sliderNoiseReduction', 'Noise reduction'), r_combo(f, 'comboboxColorTemp', 'Colour temperature'),
        r_combo(f, 'comboboxGamma', 'Gamma'), r_combo(f, 'comboboxDynamicBlack', 'Dynamic black')]))
    bal = group(f, 'boxWhiteBalance', 'White balance', grid(f, [
        r_slider(f, 'sliderRedOffset', 'Red offset'), r_slider(f, 'sliderGreenOffset', 'Green offset'),
        r_slider(f, 'sliderBlueOffset', 'Blue offset'), r_slider(f, 'sliderRedGain', 'Red gain'),
        r_slider(f, 'sliderGreenGain', 'Green gain'), r_slider(f, 'sliderBlueGain', 'Blue gain')]))
    hsg = hsg_group(f, '', 'pushbuttonHSG_Reset',
                    ['sliderHSG_WhiteRedGain', 'sliderHSG_WhiteGreenGain', 'sliderHSG_WhiteBlueGain'])
    write('panelpicture.ui', form(f, [[pic, file_group(f, 'Picture')], [bal, hsg]]))

def threed():
    f = Form('Panel3D')
    g = group(f, 'box3D', '3D', grid(f, [
        r_combo(f, 'combobox3DFormat', '3D format'), r_combo(f, 'comboboxEyeSwap', 'Eye swap'),
        r_combo(f, 'comboboxDlpLink', 'DLP Link'), r_combo(f, 'comboboxDarkTime', 'Dark time'),
        r_combo(f, 'comboboxSyncReference', 'Sync reference'), r_slider(f, 'sliderSyncDelay', 'Sync delay')]))
    write('panel3d.ui', form(f, [[g]]))

def control():
    f = Form('PanelControl')
    gen = group(f, 'boxGeneral', 'General', grid(f, [
        r_combo(f, 'comboboxLanguage', 'Language'), r_combo(f, 'comboboxAutoPowerOff', 'Auto power off'),
        r_combo(f, 'comboboxAutoPowerOn', 'Auto power on'), r_combo(f, 'comboboxBackground', 'No-signal background'),
        r_combo(f, 'comboboxStartupLogo', 'Start-up logo'), r_combo(f, 'comboboxScreenFormat', 'Screen format'),
        r_combo(f, 'comboboxTrigger', 'Trigger'), r_combo(f, 'comboboxRemoteSensor', 'Remote sensor')]))
    locks = group(f, 'boxLocks', 'Locks', grid(f, [
        r_combo(f, 'comboboxPanelLock', 'Keypad lock', ['Off', 'On']),
        r_combo(f, 'comboboxSecurityLock', 'Security lock', ['Off', 'On'])]))
    pos = radios(f, 'groupboxOsdSetting', 'Menu position', [('rbOSD_TopLeft', 'Top left'), ('rbOSD_TopRight', 'Top right'),
        ('rbOSD_BottomLeft', 'Bottom left'), ('rbOSD_BottomRight', 'Bottom right'), ('rbOSD_Center', 'Centre')])
    osd = group(f, 'boxOsd', 'On-screen menu', grid(f, [
        r_combo(f, 'comboboxTransparency', 'Transparency'), r_combo(f, 'comboboxTimeOut', 'Time-out'),
        r_combo(f, 'comboboxMessageBox', 'Message box'), [(pos, 3)]]))
    write('panelcontrol.ui', form(f, [[gen, locks], [osd]]))

def install():
    f = Form('PanelInstall')
    proj = group(f, 'boxProjection', 'Projection', grid(f, [
        r_combo(f, 'comboboxProjectionMode', 'Projection mode'), r_combo(f, 'comboboxCoolingCondition', 'Cooling'),
        r_combo(f, 'comboboxHighAltitude', 'High altitude')]))
    light = group(f, 'boxLightSource', 'Light source', grid(f, [
        r_combo(f, 'comboboxLightPower', 'Light power'), r_slider(f, 'sliderCustomPowerLevel', 'Custom level')]))
    net = group(f, 'boxNetwork', 'Network', grid(f, [
        r_line(f, 'lineeditIpAddress', 'IP address'), r_line(f, 'lineeditSubnetMask', 'Subnet mask'),
        r_line(f, 'lineeditGateway', 'Gateway'), r_line(f, 'lineeditDNS', 'DNS server')]))
    reset = group(f, 'boxFactory', 'Factory settings', grid(f, [[button('pushbuttonFactoryReset', 'Factory reset')]]))
    write('panelinstall.ui', form(f, [[proj, light], [net, reset]]))

def lens():
    f = Form('PanelLens')
    sizes = ['Fine', 'Normal', 'Coarse']
    rows = [[None] + [label(f, t) for t in sizes]]
    for key, text in [('Up', 'Up'), ('Down', 'Down'), ('Left', 'Left'), ('Right', 'Right')]:
        rows.append([label(f, text)] + [button('pushbutton%s%d' % (key, i), '%s %s' % (text, sizes[i - 1].lower()))
                                         for i in (1, 2, 3)])
    rows.append([(button('pushbuttonCenterLens', 'Centre lens'), 2), (button('pushbuttonLensLock', 'Lens lock'), 2)])
    shift = group(f, 'boxLensShift', 'Lens shift', grid(f, rows))
    rows = [[None] + [label(f, t) for t in sizes]]
    for key, text in [('ZoomIn', 'Zoom in'), ('ZoomOut', 'Zoom out'), ('FocusNear', 'Focus near'), ('FocusFar', 'Focus far')]:
        rows.append([label(f, text)] + [button('pushbutton%s%d' % (key, i), sizes[i - 1]) for i in (1, 2, 3)])
    zf = group(f, 'boxZoomFocus', 'Zoom and focus', grid(f, rows))
    lt = group(f, 'boxLens', 'Lens', grid(f, [r_combo(f, 'comboboxLensType', 'Lens type'),
                                              r_combo(f, 'comboboxTestPattern', 'Test pattern')]))
    rows = [[label(f, 'Memory'), (('<widget class="QComboBox" name="comboLensMemory">%s%s</widget>' %
             (prop('editable', '<bool>true</bool>'),
              prop('minimumSize', '<size><width>150</width><height>0</height></size>'))), 3)],
            [button('pushbuttonLoad', 'Load'), button('pushbuttonSave', 'Save'), button('pushbuttonClear', 'Clear'),
             button('pushbuttonRename', 'Rename')]]
    for i in range(1, 11, 2):
        rows.append([label(f, '%d' % i), value_label('textLensMemory%d' % i), label(f, '%d' % (i + 1)),
                     value_label('textLensMemory%d' % (i + 1))])
    mem = group(f, 'boxLensMemory', 'Lens memory', grid(f, rows))
    write('panellens.ui', form(f, [[shift, zf], [lt, mem]]))

def edgeblend():
    f = Form('PanelEdgeBlend')
    eb = group(f, 'boxEdgeBlend', 'Edge blend', grid(f, [
        r_combo(f, 'comboboxEdgeBlend', 'Edge blend'), r_combo(f, 'comboboxAlignPattern', 'Alignment pattern'),
        [(button('pushbuttonEdgeBlendReset', 'Reset edge blend'), 3)]]))
    white = group(f, 'boxWhiteLevel', 'White level', grid(f, [
        r_slider(f, 'sliderEB_White%s' % k, t) for k, t in [('Top', 'Top'), ('Bottom', 'Bottom'), ('Left', 'Left'), ('Right', 'Right')]]))
    black = group(f, 'boxBlackLevel', 'Black level', grid(f, [
        r_slider(f, 'sliderEB_Black%s' % k, t) for k, t in [('Top', 'Top'), ('Bottom', 'Bottom'), ('Left', 'Left'), ('Right', 'Right')]]))
    gain = group(f, 'boxGain', 'Gain', grid(f, [
        r_slider(f, 'sliderEB_Gain%s' % k, t) for k, t in [('Red', 'Red'), ('Green', 'Green'), ('Blue', 'Blue'), ('All', 'All')]]))
    light = group(f, 'boxLightColour', 'Light and colour', grid(f, [
        r_combo(f, 'comboboxLightPower_2', 'Light power'), r_slider(f, 'sliderCustomPowerLevel_2', 'Custom level'),
        r_combo(f, 'comboboxGamma_2', 'Gamma'), r_combo(f, 'comboboxColorTemp_2', 'Colour temperature'),
        r_slider(f, 'sliderBrightness_2', 'Brightness'), r_slider(f, 'sliderContrast_2', 'Contrast')]))
    hsg = hsg_group(f, '_2', 'pushbuttonHSG_Reset_2',
                    ['sliderHSG_WhiteHue_2', 'sliderHSG_WhiteSaturation_2', 'sliderHSG_WhiteGain_2'])
    write('paneledgeblend.ui', form(f, [[eb, white, black, gain], [light, hsg, file_group(f, 'EdgeBlend')]]))

def geometry():
    f = Form('PanelGeometry')
    ks = group(f, 'boxKeystone', 'Keystone, rotation and pin-cushion', grid(f, [
        r_step_slider(f, 'sliderKeystoneH', 'Keystone H', 'KH'), r_step_slider(f, 'sliderKeystoneV', 'Keystone V', 'KV'),
        r_step_slider(f, 'sliderRotationH', 'Rotation', 'RH'), r_step_slider(f, 'sliderPincusionH', 'Pin-cushion H', 'PH'),
        r_step_slider(f, 'sliderPincusionV', 'Pin-cushion V', 'PV'),
        [button('pushbuttonKeystoneReset', 'Reset keystone'), (button('pushbuttonRotationReset', 'Reset rotation'), 2),
         (button('pushbuttonPincusionReset', 'Reset pin-cushion'), 2)]]))
    rows = []
    for key, code, text in [('TopLeft', 'CTL', 'Top left'), ('TopRight', 'CTR', 'Top right'),
                            ('BottomLeft', 'CBL', 'Bottom left'), ('BottomRight', 'CBR', 'Bottom right')]:
        rows.append(r_step_slider(f, 'sliderCorner%sH' % key, text + ' H', code + 'H'))
        rows.append(r_step_slider(f, 'sliderCorner%sV' % key, text + ' V', code + 'V'))
    rows.append([(button('pushbuttonCornerTopLeftReset', 'Reset top left'), 2),
                 (button('pushbuttonCornerTopRightReset', 'Reset top right'), 3)])
    rows.append([(button('pushbuttonCornerBottomLeftReset', 'Reset bottom left'), 2),
                 (button('pushbuttonCornerBottomRightReset', 'Reset bottom right'), 3)])
    corners = group(f, 'boxCorners', 'Four corners', grid(f, rows))
    blank = group(f, 'boxBlanking', 'Blanking', grid(f, [
        r_step_slider(f, 'sliderBlankingTop', 'Top', 'BT'), r_step_slider(f, 'sliderBlankingBottom', 'Bottom', 'BB'),
        r_step_slider(f, 'sliderBlankingLeft', 'Left', 'BL'), r_step_slider(f, 'sliderBlankingRight', 'Right', 'BR')]))
    warp = group(f, 'boxWarp', 'Warping', grid(f, [r_combo(f, 'comboboxActiveWarp', 'Active warp')]))
    write('panelgeometry.ui', form(f, [[ks, blank, warp, file_group(f, 'Geometry')], [corners]]))

def service():
    f = Form('PanelService')
    rows = []
    for i in range(1, 11):
        rows.append([label(f, 'Fan %d' % i), value_label('textFan%d' % i), label(f, 'Fan %d' % (i + 10)),
                     value_label('textFan%d' % (i + 10))])
    fans = group(f, 'boxFans', 'Fans (rpm)', grid(f, rows))
    temps = group(f, 'boxTemperatures', 'Temperatures and cooling', grid(f, [
        r_text(f, 'textInlet', 'Inlet'), r_text(f, 'textDMDS', 'DMD'), r_text(f, 'textPump', 'Water pump')]))
    err = group(f, 'boxError', 'Error', grid(f, [r_text(f, 'textErrcode', 'Error code'),
        [label(f, 'Meaning'), ('<widget class="QLabel" name="labelErrcodeMeaning">%s%s</widget>' % (
            prop('text', s('-')), prop('wordWrap', '<bool>true</bool>')), 2)]]))
    write('panelservice.ui', form(f, [[fans], [temps, err]]))

for fn in (info, input_tab, picture, threed, control, install, lens, edgeblend, geometry, service):
    fn()
