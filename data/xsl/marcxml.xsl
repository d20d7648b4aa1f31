<?xml version="1.0" encoding="UTF-8"?>
<!-- A MARCXML record as a table: the leader, then one row per field with its
     tag, indicators and subfields. Takes a single record or a collection, in
     the MARC 21 slim namespace or none, and an OPAC record with its holdings.
     Written for the record view, which knows tables and simple CSS only. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8" indent="no"/>

  <xsl:variable name="upper" select="'ABCDEFGHIJKLMNOPQRSTUVWXYZ'"/>
  <xsl:variable name="lower" select="'abcdefghijklmnopqrstuvwxyz'"/>

  <xsl:template match="/">
    <html>
      <head>
        <style type="text/css">
          body { font-family: sans-serif; font-size: 10pt; color: #1b1b1b; background-color: #ffffff; }
          h1 { font-size: 14pt; color: #1f3b63; margin-top: 4px; margin-bottom: 8px; }
          h2 { font-size: 11pt; color: #1f3b63; margin-top: 12px; margin-bottom: 4px; }
          table { border-collapse: collapse; }
          td { padding: 2px 6px; vertical-align: top; }
          td.tag { font-family: monospace; font-weight: bold; color: #1f3b63; background-color: #e8eef6; }
          td.ind { font-family: monospace; color: #5f6b7a; background-color: #e8eef6; }
          td.fixed { font-family: monospace; white-space: pre-wrap; }
          td.label { color: #5f6b7a; }
          span.code { font-family: monospace; font-weight: bold; color: #9c4a12; }
          p.none { color: #5f6b7a; font-style: italic; }
        </style>
      </head>
      <body>
        <!-- Fields mark a MARC record: an SRU envelope's record element holds none. -->
        <xsl:variable name="records" select="//*[local-name()='record'][*[local-name()='leader'
            or local-name()='controlfield' or local-name()='datafield']]"/>
        <xsl:variable name="holdings" select="//*[local-name()='holding']"/>
        <xsl:apply-templates select="$records"/>
        <xsl:if test="$holdings">
          <h2>Holdings</h2>
          <xsl:apply-templates select="$holdings"/>
        </xsl:if>
        <xsl:if test="not($records) and not($holdings)">
          <p class="none">This document holds no MARC record.</p>
        </xsl:if>
      </body>
    </html>
  </xsl:template>

  <xsl:template match="*[local-name()='record']">
    <xsl:if test="position() &gt; 1"><hr/></xsl:if>
    <xsl:variable name="title" select="*[local-name()='datafield'][@tag='245'][1]"/>
    <xsl:if test="$title">
      <h1>
        <xsl:call-template name="trim-end">
          <xsl:with-param name="text">
            <xsl:for-each select="$title/*[local-name()='subfield']
                [string-length(@code) = 1 and contains('abnp', @code)]">
              <xsl:value-of select="concat(normalize-space(.), ' ')"/>
            </xsl:for-each>
          </xsl:with-param>
        </xsl:call-template>
      </h1>
    </xsl:if>
    <table cellspacing="0" cellpadding="3">
      <xsl:for-each select="*[local-name()='leader']">
        <tr><td class="tag">LDR</td><td class="ind"></td><td class="fixed"><xsl:value-of select="."/></td></tr>
      </xsl:for-each>
      <xsl:for-each select="*[local-name()='controlfield' or local-name()='datafield']">
        <tr>
          <td class="tag"><xsl:value-of select="@tag"/></td>
          <xsl:choose>
            <xsl:when test="local-name()='controlfield'">
              <td class="ind"></td>
              <td class="fixed"><xsl:value-of select="."/></td>
            </xsl:when>
            <xsl:otherwise>
              <td class="ind"><xsl:value-of select="translate(concat(@ind1, @ind2), ' ', '_')"/></td>
              <td>
                <xsl:for-each select="*[local-name()='subfield']">
                  <span class="code">$<xsl:value-of select="@code"/></span>
                  <xsl:value-of select="concat(' ', ., ' ')"/>
                </xsl:for-each>
              </td>
            </xsl:otherwise>
          </xsl:choose>
        </tr>
      </xsl:for-each>
    </table>
  </xsl:template>

  <!-- An OPAC holding: each of its simple values, circulation items included. -->
  <xsl:template match="*[local-name()='holding']">
    <table cellspacing="0" cellpadding="3">
      <xsl:for-each select=".//*[not(*)][normalize-space(.) != '' or @value]">
        <tr>
          <td class="label"><xsl:call-template name="label"/></td>
          <td>
            <xsl:choose>
              <xsl:when test="normalize-space(.) != ''"><xsl:value-of select="normalize-space(.)"/></xsl:when>
              <xsl:otherwise><xsl:value-of select="@value"/></xsl:otherwise>
            </xsl:choose>
          </td>
        </tr>
      </xsl:for-each>
    </table>
  </xsl:template>

  <!-- "callNumber" becomes "Call number"; a name too long for that stays as it is. -->
  <xsl:template name="label">
    <xsl:param name="name" select="local-name()"/>
    <xsl:param name="first" select="true()"/>
    <xsl:if test="$first and string-length($name) &gt; 40"><xsl:value-of select="$name"/></xsl:if>
    <xsl:if test="$name != '' and not($first and string-length($name) &gt; 40)">
      <xsl:variable name="c" select="substring($name, 1, 1)"/>
      <xsl:choose>
        <xsl:when test="$first"><xsl:value-of select="translate($c, $lower, $upper)"/></xsl:when>
        <xsl:when test="contains($upper, $c)"><xsl:value-of select="concat(' ', translate($c, $upper, $lower))"/></xsl:when>
        <xsl:otherwise><xsl:value-of select="$c"/></xsl:otherwise>
      </xsl:choose>
      <xsl:call-template name="label">
        <xsl:with-param name="name" select="substring($name, 2)"/>
        <xsl:with-param name="first" select="false()"/>
      </xsl:call-template>
    </xsl:if>
  </xsl:template>

  <!-- Drops the ISBD punctuation that ends a title ("Annual report :"). -->
  <xsl:template name="trim-end">
    <xsl:param name="text"/>
    <xsl:variable name="t" select="normalize-space($text)"/>
    <xsl:variable name="last" select="substring($t, string-length($t))"/>
    <xsl:choose>
      <xsl:when test="$t != '' and contains('/:;,=', $last)">
        <xsl:value-of select="normalize-space(substring($t, 1, string-length($t) - 1))"/>
      </xsl:when>
      <xsl:otherwise><xsl:value-of select="$t"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
</xsl:stylesheet>
