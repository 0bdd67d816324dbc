#!/usr/bin/env python3
"""Makes the statement with equations and metafile pictures, and its round
trips, with LibreOffice (soffice, Debian's libreoffice-writer-nogui,
-draw-nogui and -math-nogui), in the current folder:
  circuit-draw.fodg -> circuit-draw.wmf, circuit-draw.emf (Draw)
  statement-equations.fodt (written here, the pictures embedded, each
    formula's frame at its natural size, read from a first conversion)
  -> statement-equations.rtf, and through .doc and .docx
  -> statement-equations-doc.rtf, statement-equations-docx.rtf."""
import base64, re, subprocess, sys, os
FORMULAS = [
    ('F1', 'u_C(t) = E(1 - e^{-t/%tau})'),
    ('F2', 'T_0 = 2 %pi sqrt{LC}'),
    ('F3', '{d^2 u_C} over {dt^2} + {R + r} over L cdot {{du_C} over dt} + u_C over {LC} = 0'),
]
def soffice(*args):
    subprocess.run(['soffice', '--headless'] + list(args), check=True, capture_output=True, timeout=300)

def formula(name, starmath, size):
    w, h = size
    return (f'<draw:frame draw:name="{name}" draw:style-name="fr1" text:anchor-type="as-char" svg:width="{w}cm" svg:height="{h}cm">'
            f'<draw:object><math:math display="inline"><math:semantics><math:mrow><math:mi>x</math:mi></math:mrow>'
            f'<math:annotation encoding="StarMath 5.0">{starmath}</math:annotation></math:semantics></math:math></draw:object></draw:frame>')
def image(path, mime, w, h, name):
    data = base64.b64encode(open(path, 'rb').read()).decode()
    return (f'<draw:frame draw:name="{name}" draw:style-name="fr1" text:anchor-type="as-char" svg:width="{w}cm" svg:height="{h}cm">'
            f'<draw:image loext:mime-type="{mime}"><office:binary-data>{data}</office:binary-data></draw:image></draw:frame>')
def document(sizes):
    f = {n: formula(n, s, sizes.get(n, (3, 1))) for n, s in FORMULAS}
    return f'''<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:xlink="http://www.w3.org/1999/xlink"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 xmlns:math="http://www.w3.org/1998/Math/MathML"
 xmlns:loext="urn:org:documentfoundation:names:experimental:office:xmlns:loext:1.0"
 office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.text">
 <office:font-face-decls>
  <style:font-face style:name="Liberation Serif" svg:font-family="'Liberation Serif'" style:font-family-generic="roman" style:font-pitch="variable"/>
 </office:font-face-decls>
 <office:styles>
  <style:default-style style:family="paragraph">
   <style:text-properties style:font-name="Liberation Serif" fo:font-size="12pt" fo:language="fr" fo:country="FR"/>
  </style:default-style>
  <style:style style:name="Standard" style:family="paragraph" style:class="text"/>
 </office:styles>
 <office:automatic-styles>
  <style:style style:name="P1" style:family="paragraph" style:parent-style-name="Standard">
   <style:paragraph-properties fo:text-align="center"/>
   <style:text-properties fo:font-size="16pt" fo:font-weight="bold" fo:color="#0000c8"/>
  </style:style>
  <style:style style:name="P2" style:family="paragraph" style:parent-style-name="Standard">
   <style:paragraph-properties fo:text-align="justify"/>
  </style:style>
  <style:style style:name="P3" style:family="paragraph" style:parent-style-name="Standard">
   <style:paragraph-properties fo:text-align="center"/>
  </style:style>
  <style:style style:name="P4" style:family="paragraph" style:parent-style-name="Standard">
   <style:paragraph-properties fo:line-height="0.5cm"/>
  </style:style>
  <style:style style:name="fr1" style:family="graphic">
   <style:graphic-properties style:vertical-pos="middle" style:vertical-rel="text"/>
  </style:style>
 </office:automatic-styles>
 <office:body>
  <office:text>
   <text:p text:style-name="P1">Circuit RC et oscillations</text:p>
   <text:p text:style-name="P2">Le condensateur se charge à travers le conducteur ohmique de résistance R : {f["F1"]} avec τ = RC<text:note text:id="ftn1" text:note-class="footnote"><text:note-citation>1</text:note-citation><text:note-body><text:p>On prendra g = 9,81 m·s⁻².</text:p></text:note-body></text:note>.</text:p>
   <text:p text:style-name="P3">{image("circuit-draw.wmf", "image/x-wmf", 7, 4, "Circuit WMF")}</text:p>
   <text:p text:style-name="P2">La période propre du circuit LC vaut {f["F2"]}.</text:p>
   <text:p text:style-name="P4">Avec une bobine de résistance r, la tension vérifie {f["F3"]}.</text:p>
   <text:p text:style-name="P3">{image("circuit-draw.emf", "image/x-emf", 7, 4, "Circuit EMF")}</text:p>
   <text:p text:style-name="P2">Les mesures<text:note text:id="ftn2" text:note-class="footnote"><text:note-citation>2</text:note-citation><text:note-body><text:p>Faites à 20 °C.</text:p></text:note-body></text:note> confirment la loi.</text:p>
  </office:text>
 </office:body>
</office:document>
'''
soffice('--convert-to', 'wmf', 'circuit-draw.fodg')
soffice('--convert-to', 'emf', 'circuit-draw.fodg')
# First pass: read each formula's natural size (hundredths of a millimetre, LibreOffice's \\picw and \\pich).
open('pass1.fodt', 'w').write(document({}))
soffice('--convert-to', 'rtf', 'pass1.fodt')
rtf = open('pass1.rtf', encoding='latin-1').read()
sizes = re.findall(r'\\mmathPict.*?\\picw(\d+)\\pich(\d+)', rtf, re.S)
print('natural sizes', sizes)
final = {n: (int(w) / 1000, int(h) / 1000) for (n, _), (w, h) in zip(FORMULAS, sizes)}
open('statement-equations.fodt', 'w').write(document(final))
soffice('--convert-to', 'rtf', 'statement-equations.fodt')
for fmt in ('doc', 'docx'):
    soffice('--convert-to', fmt, 'statement-equations.fodt')
    os.makedirs(fmt, exist_ok=True)
    soffice('--convert-to', 'rtf', '--outdir', fmt, f'statement-equations.{fmt}')
    os.rename(f'{fmt}/statement-equations.rtf', f'statement-equations-{fmt}.rtf')
    os.remove(f'statement-equations.{fmt}')
    os.rmdir(fmt)
for scratch in ('pass1.fodt', 'pass1.rtf'):
    os.remove(scratch)
