<?xml version="1.0" encoding="UTF-8"?>
<!-- Any XML record as an indented tree of its elements, with their attributes,
     the namespaces they declare, their text and comments. A line per element
     that holds more than text; the indentation is set per line because the
     record view does not add up the margins of nested blocks. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8" indent="no"/>

  <xsl:template match="/">
    <html>
      <head>
        <style type="text/css">
          body { font-family: monospace; font-size: 10pt; color: #1b1b1b; background-color: #ffffff; }
          p { margin-top: 0px; margin-bottom: 0px; }
          span.element { color: #1f3b63; font-weight: bold; }
          span.attribute { color: #9c4a12; }
          span.value { color: #2e6b30; }
          span.comment { color: #7a7a7a; font-style: italic; }
        </style>
      </head>
      <body>
        <xsl:apply-templates select="*|comment()"/>
      </body>
    </html>
  </xsl:template>

  <xsl:template match="*">
    <xsl:variable name="indent" select="count(ancestor::*) * 16"/>
    <xsl:choose>
      <xsl:when test="not(*) and not(comment())">
        <p style="margin-left:{$indent}px">
          <xsl:call-template name="start-tag"/>
          <xsl:if test="node()">
            <xsl:value-of select="normalize-space(.)"/>
            <xsl:call-template name="end-tag"/>
          </xsl:if>
        </p>
      </xsl:when>
      <xsl:otherwise>
        <p style="margin-left:{$indent}px"><xsl:call-template name="start-tag"/></p>
        <xsl:apply-templates select="node()"/>
        <p style="margin-left:{$indent}px"><xsl:call-template name="end-tag"/></p>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- Text beside child elements gets a line of its own; layout space none. -->
  <xsl:template match="text()">
    <xsl:if test="normalize-space(.) != ''">
      <p style="margin-left:{count(ancestor::*) * 16}px"><xsl:value-of select="normalize-space(.)"/></p>
    </xsl:if>
  </xsl:template>

  <xsl:template match="comment()">
    <p style="margin-left:{count(ancestor::*) * 16}px">
      <span class="comment">&lt;!--<xsl:value-of select="."/>--&gt;</span>
    </p>
  </xsl:template>

  <xsl:template match="processing-instruction()"/>

  <!-- An element without content closes itself. -->
  <xsl:template name="start-tag">
    <span class="element">&lt;<xsl:value-of select="name()"/></span>
    <xsl:variable name="element" select="."/>
    <xsl:for-each select="namespace::*[name() != 'xml']">
      <xsl:variable name="prefix" select="name()"/>
      <xsl:variable name="uri" select="string(.)"/>
      <xsl:if test="not($element/parent::*/namespace::*[name() = $prefix and string(.) = $uri])">
        <xsl:text> </xsl:text>
        <span class="attribute">
          <xsl:text>xmlns</xsl:text>
          <xsl:if test="$prefix != ''">:<xsl:value-of select="$prefix"/></xsl:if>
        </span>=<span class="value">"<xsl:value-of select="$uri"/>"</span>
      </xsl:if>
    </xsl:for-each>
    <xsl:for-each select="@*">
      <xsl:text> </xsl:text>
      <span class="attribute"><xsl:value-of select="name()"/></span>=<span class="value">"<xsl:value-of select="."/>"</span>
    </xsl:for-each>
    <span class="element">
      <xsl:choose>
        <xsl:when test="node()">&gt;</xsl:when>
        <xsl:otherwise>/&gt;</xsl:otherwise>
      </xsl:choose>
    </span>
  </xsl:template>

  <xsl:template name="end-tag">
    <span class="element">&lt;/<xsl:value-of select="name()"/>&gt;</span>
  </xsl:template>
</xsl:stylesheet>
