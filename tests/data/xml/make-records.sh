#!/bin/sh
# Regenerates the XML test records from records.line with YAZ's own tools and
# stylesheets, the way servers built on YAZ produce them. mods3-2.xml is
# written by hand: YAZ's stylesheet makes MODS older than the version 3 that
# servers send today.
set -eu
cd "$(dirname "$0")"
YAZ_XSL=${YAZ_XSL:-$(pkg-config --variable=prefix yaz)/share/yaz/etc}

yaz-marcdump -i line -o marcxml records.line >marcxml-collection.xml
for n in 1 2; do
    xsltproc --param n "$n" extract-record.xsl marcxml-collection.xml >marcxml-$n.xml
    xsltproc "$YAZ_XSL/MARC21slim2MODS.xsl" marcxml-$n.xml >mods-$n.xml
done
xsltproc "$YAZ_XSL/MARC21slim2DC.xsl" marcxml-1.xml >dc-1.xml
xsltproc --stringparam form srw rewrap-dc.xsl dc-1.xml >srw-dc-1.xml
xsltproc --stringparam form oai rewrap-dc.xsl dc-1.xml >oai-dc-1.xml
